#include "platform/GameLock.h"

#include "platform/WorkFolder.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace sonorelle {

namespace {

constexpr int defaultWaitMs = 10000;
constexpr int retryMs = 20;

}  // namespace

GameLock::GameLock(const QString& gameDir, int waitMs)
{
    const QString runtimeDir = PrepareRuntimeDir(&error_);
    if (runtimeDir.isEmpty())
        return;
    const QByteArray path = QFile::encodeName(lockFilePath(runtimeDir, gameDir));
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        error_ = QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    const QDeadlineTimer deadline(waitMs);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int failure = errno;
        if (failure != EWOULDBLOCK && failure != EINTR) {
            error_ = QString::fromLocal8Bit(std::strerror(failure));
            ::close(fd);
            return;
        }
        if (deadline.hasExpired()) {
            ::close(fd);
            return;
        }
        QThread::msleep(retryMs);
    }
    fd_ = fd;
}

GameLock::GameLock(GameLock&& other) noexcept
    : fd_(other.fd_)
    , error_(std::move(other.error_))
{
    other.fd_ = -1;
}

GameLock::~GameLock()
{
    // Closing the last descriptor of the open file releases the flock.
    if (fd_ >= 0)
        ::close(fd_);
}

QString GameLock::lockFilePath(const QString& runtimeDir, const QString& gameDir)
{
    QString folder = QFileInfo(gameDir).canonicalFilePath();
    if (folder.isEmpty())
        folder = QDir::cleanPath(gameDir);
    const QByteArray hash = QCryptographicHash::hash(QFile::encodeName(folder), QCryptographicHash::Sha256).toHex();
    return runtimeDir + QStringLiteral("/game-") + QString::fromLatin1(hash.left(32)) + QStringLiteral(".lock");
}

int GameLock::waitMs()
{
    bool isNumber = false;
    const int configured = qEnvironmentVariableIntValue("SONORELLE_LOCK_WAIT_MS", &isNumber);
    return isNumber && configured >= 0 ? configured : defaultWaitMs;
}

}  // namespace sonorelle
