#include "support/CliFixture.h"

#include "app/SettingsKeys.h"
#include "support/FakeWineHome.h"
#include "support/Mp3Files.h"

namespace sonorelle::test {
namespace {

class CliGames : public CliFixture {
protected:
    // sonorelle-cli in the fake home, without WINEPREFIX.
    Run games(const QStringList& options = {}) const
    {
        QMap<QString, QString> environment{{S("WINEPREFIX"), QString()}};
        const QProcessEnvironment variables = wineHome.environment();
        for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"})
            environment.insert(S(name), variables.value(S(name)));
        return cli(options + QStringList{S("games")}, environment);
    }
    static QString line(const QString& manager, const QString& name, const QString& prefix, const char* inUse)
    {
        return QStringList{manager, name, prefix, prefix + S("/drive_c/Games/Kickvale 09/"), S(inUse)}.join(u'\t') +
               u'\n';
    }

    FakeWineHome wineHome;
    QString first = wineHome.addPrefix(S(".wine"));
    QString second = wineHome.addPrefix(S(".PlayOnLinux/wineprefix/Kick"), FakeWineHome::View::Plain);
    QString empty = wineHome.addPrefix(S(".PlayOnLinux/wineprefix/Empty"), FakeWineHome::View::Plain, false);
};

TEST_F(CliGames, ListsEveryInstallationAndTheOneInUseAStoredChoiceFirst)
{
    const Run plain = games();
    EXPECT_EQ(plain.exitCode, 0) << plain.err.toStdString();
    EXPECT_EQ(plain.out, line(S("Wine"), S(".wine"), first, "yes") + line(S("PlayOnLinux"), S("Kick"), second, "no"));
    EXPECT_FALSE(plain.err.contains(S("skipped")));

    const Run verbose = games({S("--verbose")});
    EXPECT_EQ(verbose.out, plain.out);
    EXPECT_TRUE(verbose.err.contains(S("PlayOnLinux prefix ") + empty + S(" skipped: the game's folder")))
        << verbose.err.toStdString();

    set(SettingsKeys::GamePrefix, second + S("/"));
    EXPECT_EQ(games().out,
              line(S("Wine"), S(".wine"), first, "no") + line(S("PlayOnLinux"), S("Kick"), second, "yes"));
}

}  // namespace
}  // namespace sonorelle::test
