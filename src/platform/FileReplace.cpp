#include "platform/FileReplace.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sonorelle {

namespace {

constexpr mode_t NewFileMode = 0644;
constexpr int TemporarySuffixLength = 4;  // ".tmp"

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

bool writeAll(int descriptor, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(descriptor, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = ENOSPC;
            return false;
        }
        done += written;
    }
    return true;
}

// The rename is only durable once the folder's entry is on disk too.
void syncFolder(const QByteArray& folder)
{
    const int descriptor = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

}  // namespace

bool ReplaceFileAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    const QByteArray target = QFile::encodeName(path);
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    QByteArray temporary = folder + "/.sonorelle-XXXXXX.tmp";
    const int descriptor = ::mkostemps(temporary.data(), TemporarySuffixLength, O_CLOEXEC);
    if (descriptor < 0) {
        *error = QStringLiteral("cannot create a temporary file in %1: %2")
                     .arg(QFile::decodeName(folder), systemError());
        return false;
    }
    struct stat existing {};
    const mode_t mode = ::stat(target.constData(), &existing) == 0 ? existing.st_mode & 07777 : NewFileMode;
    const bool written = writeAll(descriptor, bytes) && ::fchmod(descriptor, mode) == 0 && ::fsync(descriptor) == 0;
    const int writeErrno = errno;
    const bool closed = ::close(descriptor) == 0;
    if (!written || !closed || ::rename(temporary.constData(), target.constData()) != 0) {
        if (!written)
            errno = writeErrno;
        *error = systemError();
        ::unlink(temporary.constData());
        return false;
    }
    syncFolder(folder);
    return true;
}

}  // namespace sonorelle
