#include "platform/WorkFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sonorelle {

namespace {

constexpr mode_t privateMode = 0700;

QString failed(QString* error, const QString& text)
{
    if (error != nullptr)
        *error = text;
    return {};
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

QString CacheParent()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/sonorelle");
}

}  // namespace

QString PrepareTempDir(QString* error)
{
    return PreparePrivateFolder(CacheParent() + QStringLiteral("/temp"), error);
}

QString PrepareRuntimeDir(QString* error)
{
    // The session's runtime folder is the user's own; without one, a private folder
    // in the cache stands in, never a name in /tmp that another user could take first.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return PreparePrivateFolder(runtime + QStringLiteral("/sonorelle"), error);
    return PreparePrivateFolder(CacheParent() + QStringLiteral("/runtime"), error);
}

QString PreparePrivateFolder(const QString& folder, QString* error)
{
    const QString parent = QFileInfo(folder).path();
    if (!QDir().mkpath(parent))
        return failed(error, QStringLiteral("The folder %1 cannot be created.").arg(parent));

    const QByteArray name = QFile::encodeName(folder);
    if (::mkdir(name.constData(), privateMode) != 0 && errno != EEXIST)
        return failed(error, QStringLiteral("The folder %1 cannot be created: %2").arg(folder, systemError()));

    // Checked through the opened folder itself, so nothing can be swapped in between.
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        struct stat link {};
        if (::lstat(name.constData(), &link) == 0 && S_ISLNK(link.st_mode))
            return failed(error, QStringLiteral("The folder %1 is a symbolic link; it is not used.").arg(folder));
        return failed(error, QStringLiteral("The folder %1 cannot be opened: %2").arg(folder, systemError()));
    }
    struct stat status {};
    QString problem;
    if (::fstat(fd, &status) != 0)
        problem = QStringLiteral("The folder %1 cannot be examined: %2").arg(folder, systemError());
    else if (status.st_uid != ::geteuid())
        problem = QStringLiteral("The folder %1 belongs to another user; it is not used.").arg(folder);
    else if ((status.st_mode & 07777) != privateMode && ::fchmod(fd, privateMode) != 0)
        problem = QStringLiteral("The folder %1 cannot be made private: %2").arg(folder, systemError());
    ::close(fd);
    if (!problem.isEmpty())
        return failed(error, problem);
    return folder;
}

}  // namespace sonorelle
