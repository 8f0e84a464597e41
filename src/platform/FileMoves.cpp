#include "platform/FileMoves.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace sonorelle {

namespace {

QString systemError(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

bool syncData(const QByteArray& path, QString* error)
{
    const int descriptor = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0 || ::fsync(descriptor) != 0) {
        *error = systemError(errno);
        if (descriptor >= 0)
            ::close(descriptor);
        return false;
    }
    ::close(descriptor);
    return true;
}

}  // namespace

MoveOutcome MoveWithoutReplacing(const QString& from, const QString& to, QString* error)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (!syncData(source, error))
        return MoveOutcome::Failed;
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return MoveOutcome::Moved;
    if (errno == EEXIST)
        return MoveOutcome::TargetExists;
    // File systems without the flag still refuse to link over an existing name.
    if (errno != EINVAL && errno != ENOSYS) {
        *error = systemError(errno);
        return MoveOutcome::Failed;
    }
    if (::link(source.constData(), target.constData()) != 0) {
        const int code = errno;
        *error = systemError(code);
        return code == EEXIST ? MoveOutcome::TargetExists : MoveOutcome::Failed;
    }
    ::unlink(source.constData());
    return MoveOutcome::Moved;
}

}  // namespace sonorelle
