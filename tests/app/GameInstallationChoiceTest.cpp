#include "app/GameInstallationChoice.h"

#include "app/SettingsKeys.h"
#include "platform/Registry.h"
#include "support/FakeWineHome.h"

#include <gtest/gtest.h>

namespace sonorelle {
namespace {

using Source = GameInstallationChoice::Source;

class GameInstallationChoiceTest : public ::testing::Test {
protected:
    void store(const QString& key, const QString& valueName, const QString& text)
    {
        ASSERT_TRUE(registry.WriteRegValue(Hive::LocalMachine, key, valueName, text));
    }

    test::FakeWineHome home;
    Registry registry{home.path(QStringLiteral("registry.reg")), home.path(QStringLiteral(".wine")),
                      Registry::PrefixOrigin::Default};
    QString first = home.addPrefix(QStringLiteral(".wine"));
    QString second = home.addPrefix(QStringLiteral(".PlayOnLinux/wineprefix/Kick"), test::FakeWineHome::View::Plain);
};

TEST_F(GameInstallationChoiceTest, OfSeveralTheStoredPrefixIsTakenElseTheFirst)
{
    const QList<std::tuple<QString, QString, Source>> cases = {
        {QString(), first, Source::First},
        {second + QStringLiteral("/"), second, Source::StoredChoice},
        {home.path(QStringLiteral("gone")), first, Source::First},
    };
    for (const auto& [stored, prefix, source] : cases) {
        store(SettingsKeys::ProgramKey, SettingsKeys::GamePrefix, stored);
        const GameInstallationChoice choice = ChooseGameInstallation(registry, home.environment());
        ASSERT_TRUE(choice.chosen) << stored.toStdString();
        EXPECT_EQ(choice.chosen->prefixPath, prefix);
        EXPECT_EQ(choice.chosen->gameFolder, prefix + QStringLiteral("/drive_c/Games/Kickvale 09/"));
        EXPECT_EQ(choice.source, source);
        EXPECT_EQ(choice.found.installations.size(), 2);
    }
}

TEST_F(GameInstallationChoiceTest, WinePrefixVariableAndTheStoresInstallDirWin)
{
    store(SettingsKeys::ProgramKey, SettingsKeys::GamePrefix, first);
    const QByteArray saved = qgetenv("WINEPREFIX");
    qputenv("WINEPREFIX", second.toLocal8Bit());
    const Registry fromVariable = Registry::fromEnvironment();
    qunsetenv("WINEPREFIX");
    EXPECT_EQ(Registry::fromEnvironment().winePrefixOrigin(), Registry::PrefixOrigin::Default);
    qputenv("WINEPREFIX", saved);
    // A variable the Registry did not take is no choice of the person's.
    QProcessEnvironment environment = home.environment();
    environment.insert(QStringLiteral("WINEPREFIX"), home.path(QStringLiteral("elsewhere")));
    EXPECT_EQ(ChooseGameInstallation(registry, environment).chosen.value().prefixPath, first);

    registry = Registry(registry.storePath(), fromVariable.winePrefix(), fromVariable.winePrefixOrigin());
    GameInstallationChoice choice = ChooseGameInstallation(registry, environment);
    ASSERT_TRUE(choice.chosen);
    EXPECT_EQ(std::pair(choice.chosen->prefixPath, choice.source), std::pair(second, Source::GivenPrefix));

    store(SettingsKeys::GameKey, SettingsKeys::GameInstallDir, QStringLiteral("C:\\GAMES\\kickvale 09"));
    choice = ChooseGameInstallation(registry, environment);
    ASSERT_TRUE(choice.chosen);
    EXPECT_EQ(choice.source, Source::StoreInstallDir);
    EXPECT_EQ(choice.chosen->prefixPath, second) << "the Registry's own prefix";
    EXPECT_EQ(choice.chosen->gameFolder, second + QStringLiteral("/drive_c/Games/Kickvale 09/"));
    EXPECT_TRUE(choice.found.installations.isEmpty());

    store(SettingsKeys::GameKey, SettingsKeys::GameInstallDir, QStringLiteral("C:"));
    EXPECT_FALSE(ChooseGameInstallation(registry, environment).chosen);
}

}  // namespace
}  // namespace sonorelle
