#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

namespace sonorelle::test {

void IsolateUserFolders()
{
    static std::unique_ptr<QTemporaryDir> home;
    home = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/sonorelle-test-XXXXXX"));
    const QByteArray root = home->path().toLocal8Bit();
    ::setenv("HOME", root.constData(), 1);
    ::setenv("XDG_CONFIG_HOME", (root + "/config").constData(), 1);
    ::setenv("XDG_CACHE_HOME", (root + "/cache").constData(), 1);
    ::setenv("XDG_DATA_HOME", (root + "/data").constData(), 1);
    // The sockets and locks of the programs under test stay apart from a running Sonorelle's.
    QDir().mkpath(home->filePath(QStringLiteral("runtime")));
    QFile::setPermissions(home->filePath(QStringLiteral("runtime")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ::setenv("XDG_RUNTIME_DIR", (root + "/runtime").constData(), 1);
    ::setenv("WINEPREFIX", (root + "/wine").constData(), 1);
    ::setenv("SONORELLE_REGISTRY", (root + "/config/sonorelle/registry.reg").constData(), 1);
}

QString BinDir()
{
    return QStringLiteral(SONORELLE_BIN_DIR);
}

}  // namespace sonorelle::test
