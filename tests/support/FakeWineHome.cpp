#include "support/FakeWineHome.h"

#include "support/FileBytes.h"

#include <QDir>
#include <QFile>

namespace sonorelle::test {

const QString FakeWineHome::GameKeyInstallDir = QStringLiteral("C:\\Games\\Kickvale 09");

QString FakeWineHome::path(const QString& relative) const
{
    return relative.isEmpty() ? dir_.path() : dir_.filePath(relative);
}

QProcessEnvironment FakeWineHome::environment() const
{
    QDir().mkpath(path(QStringLiteral("bin")));
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("HOME"), path());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), path(QStringLiteral(".local/share")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral(".config")));
    environment.insert(QStringLiteral("PATH"), path(QStringLiteral("bin")));
    return environment;
}

void FakeWineHome::write(const QString& relative, const QByteArray& bytes) const
{
    WriteFile(path(relative), bytes);
}

QString FakeWineHome::addPrefix(const QString& relative, View view, bool withGame) const
{
    const QString prefix = path(relative);
    write(relative + QStringLiteral("/system.reg"), systemReg(GameKeyInstallDir, view));
    QDir().mkpath(prefix + QStringLiteral("/dosdevices"));
    QFile::link(QStringLiteral("../drive_c"), prefix + QStringLiteral("/dosdevices/c:"));
    QDir().mkpath(prefix + QStringLiteral("/drive_c/Games"));
    if (withGame)
        write(relative + QStringLiteral("/drive_c/Games/Kickvale 09/KICKVALE09.EXE"), "MZ");
    return prefix;
}

QByteArray FakeWineHome::systemReg(const QString& installDir, View view)
{
    const QByteArray key = view == View::Wow6432Node ? "Software\\\\Wow6432Node\\\\Ostravel\\\\Kickvale 09"
                                                     : "Software\\\\Ostravel\\\\Kickvale 09";
    QByteArray value = installDir.toUtf8();
    value.replace("\\", "\\\\");
    return "WINE REGISTRY Version 2\n"
           ";; All keys relative to \\\\Machine\n\n#arch=win64\n\n"
           "[Software\\\\Classes\\\\.txt] 1700000000\n@=\"txtfile\"\n\n"
           "[" + key + "] 1700000000\n#time=1da0\n\"Install Dir\"=\"" + value + "\"\n\n"
           "[System\\\\CurrentControlSet\\\\Control] 1700000000\n\"SystemBootDevice\"=\"multi(0)\"\n";
}

}  // namespace sonorelle::test
