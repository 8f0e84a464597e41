#include "ui/SingleWindow.h"

#include "platform/WorkFolder.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLocalSocket>
#include <QThread>

#include <memory>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace sonorelle {

namespace {

// The window may still be in its start-up when a second start comes: it listens
// from its first moments, but give it time to.
constexpr int handOffWaitMs = 5000;
constexpr int retryMs = 50;

}  // namespace

SingleWindow::SingleWindow()
{
    QString error;
    runtimeDir_ = PrepareRuntimeDir(&error);
}

SingleWindow::~SingleWindow()
{
    server_.close();
    if (lockFd_ >= 0)
        ::close(lockFd_);
}

bool SingleWindow::handOffOrListen(const QString& commandLine)
{
    if (runtimeDir_.isEmpty())
        return false;
    const QByteArray lockPath = QFile::encodeName(runtimeDir_ + QStringLiteral("/window.lock"));
    const int fd = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        lockFd_ = fd;
        listen();
        return false;
    }
    ::close(fd);
    return handOff(commandLine);
}

bool SingleWindow::handOff(const QString& commandLine)
{
    const QString socketPath = runtimeDir_ + QStringLiteral("/window.socket");
    const QDeadlineTimer deadline(handOffWaitMs);
    QLocalSocket socket;
    do {
        socket.connectToServer(socketPath);
        if (socket.waitForConnected(retryMs)) {
            socket.write(commandLine.toUtf8());
            // An empty command line (only "come to the front") has nothing to wait for.
            const bool sent = socket.bytesToWrite() == 0 || socket.waitForBytesWritten(handOffWaitMs);
            socket.disconnectFromServer();
            if (socket.state() != QLocalSocket::UnconnectedState)
                socket.waitForDisconnected(handOffWaitMs);
            return sent;
        }
        QThread::msleep(retryMs);
    } while (!deadline.hasExpired());
    return false;
}

void SingleWindow::listen()
{
    const QString socketPath = runtimeDir_ + QStringLiteral("/window.socket");
    // The lock says no window runs: a socket left there is from one that crashed.
    QLocalServer::removeServer(socketPath);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &SingleWindow::acceptConnections);
    server_.listen(socketPath);
}

void SingleWindow::acceptConnections()
{
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        // The command line is the whole of what the later start sends before it closes.
        auto received = std::make_shared<QByteArray>();
        const auto finish = [this, socket, received] {
            *received += socket->readAll();
            socket->deleteLater();
            emit commandLineReceived(QString::fromUtf8(*received));
        };
        connect(socket, &QLocalSocket::readyRead, socket, [socket, received] { *received += socket->readAll(); });
        if (socket->state() == QLocalSocket::ConnectedState)
            connect(socket, &QLocalSocket::disconnected, this, finish);
        else
            finish();
    }
}

}  // namespace sonorelle
