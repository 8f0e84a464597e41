#include "audio/ToolStep.h"

#include "app/Feedback.h"
#include "platform/ToolRunner.h"

#include <QFile>
#include <QFileInfo>

namespace sonorelle {

ToolStep::Result ToolStep::run(Feedback& feedback) const
{
    if (QFileInfo::exists(output) && !QFile::remove(output))
        return {false, false, QStringLiteral("%1: the old work file %2 cannot be deleted.").arg(name, output)};
    const RunResult ran =
        RunAndWait(program, arguments, WindowStyle::Hidden, -1, [&feedback] { return feedback.cancelRequested(); });
    if (ran.cancelled)
        return {false, true, QStringLiteral("%1: cancelled.").arg(name)};
    if (!ran.succeeded())
        return {false, false, QStringLiteral("%1 failed: %2").arg(name, ran.error)};
    if (!QFileInfo(output).isFile())
        return {false, false, QStringLiteral("%1 failed: %2 wrote no %3").arg(name, program, output)};
    return {true, false, {}};
}

}  // namespace sonorelle
