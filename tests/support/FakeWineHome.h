#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

namespace sonorelle::test {

// A home folder in a temporary folder, where a test places Wine prefixes the way
// Wine, Steam, Lutris, Bottles and PlayOnLinux lay them out.
class FakeWineHome {
public:
    enum class View { Wow6432Node, Plain };
    static const QString GameKeyInstallDir;  // "C:\Games\Kickvale 09"

    QString path(const QString& relative = {}) const;
    // HOME and the XDG folders of this home, PATH its empty "bin" folder, no WINEPREFIX.
    QProcessEnvironment environment() const;
    void write(const QString& relative, const QByteArray& bytes) const;

    // A prefix at relative whose system.reg names the game's folder in view; the
    // folder, with the game's program, is made unless withGame is false. Its path.
    QString addPrefix(const QString& relative, View view = View::Wow6432Node, bool withGame = true) const;

    // system.reg of a 64-bit prefix naming installDir under the game's key in view,
    // among keys of other programs.
    static QByteArray systemReg(const QString& installDir, View view);

private:
    QTemporaryDir dir_;
};

}  // namespace sonorelle::test
