#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace sonorelle {

// One window at a time. The first start holds the window lock in the private runtime
// folder for its whole life and listens on a socket beside it; a later start finds
// the lock taken, hands its command line over the socket and ends.
class SingleWindow : public QObject {
    Q_OBJECT

public:
    SingleWindow();
    ~SingleWindow() override;

    // True when a running window took commandLine: this process has nothing more to
    // do. False when this process is the window (it now listens) or no private
    // runtime folder could be had (it then runs on its own).
    bool handOffOrListen(const QString& commandLine);

signals:
    // A later start's command line (possibly empty: it only asked for the window).
    void commandLineReceived(const QString& commandLine);

private:
    bool handOff(const QString& commandLine);
    void listen();
    void acceptConnections();

    QString runtimeDir_;
    int lockFd_ = -1;
    QLocalServer server_;
};

}  // namespace sonorelle
