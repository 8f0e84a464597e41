#include "adding/EncoderRun.h"

#include "adding/FileCopy.h"

namespace sonorelle {

EncoderRun::EncoderRun(const QString& programDir, const QString& workDir, qsizetype item)
    : program_(programDir + QStringLiteral("/addon3"))
{
    const QString lane = item % 2 ? QStringLiteral(".1") : QString();
    input_ = workDir + QStringLiteral("/negotovo") + lane + QStringLiteral(".!!!");
    output_ = workDir + QStringLiteral("/gotovo") + lane + QStringLiteral(".!!!");
}

bool EncoderRun::start(const QString& source, QString* error)
{
    process_.reset();
    if (!RemoveIfPresent(input_, error) || !RemoveIfPresent(output_, error) || !CopyIntoNewFile(source, input_, error))
        return false;
    process_ = std::make_unique<ToolProcess>(
        program_, QStringList{QStringLiteral("-pcstream"), input_, QStringLiteral("="), output_});
    return true;
}

RunResult EncoderRun::wait(const std::function<bool()>& cancelRequested)
{
    return process_->wait(-1, cancelRequested);
}

}  // namespace sonorelle
