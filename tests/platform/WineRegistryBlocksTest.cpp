#include "platform/Registry.h"
#include "support/FileBytes.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sonorelle {
namespace {

constexpr qsizetype BlockSize = 256 * 1024;

// A system.reg that is read in several blocks, with the game's key line and values
// placed so that a block ends inside them.
QByteArray SystemRegAround(qsizetype wantedAt)
{
    QByteArray file = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";
    for (int key = 0; file.size() < wantedAt - 200; ++key)
        file += "[Software\\\\Filler\\\\Key " + QByteArray::number(key) + "] 1733500000\n\"Value\"=\"[not a key]\"\n\n";
    file += QByteArray(wantedAt - file.size(), '\n');
    file += "  [Software\\\\Wow6432Node\\\\Ostravel\\\\Kickvale 09] 1733500000\n\"First\"=\"one\"\n";
    for (int value = 0; value < 40; ++value)
        file += "\"Padding " + QByteArray::number(value) + "\"=\"" + QByteArray(20, 'x') + "\"\n";
    file += "\"Last\"=\"two\"\n\n[Software\\\\Filler\\\\After] 1733500000\n\"Last\"=\"wrong\"\n\n";
    // The plain view comes last and the file ends without a line break.
    file += "[Software\\\\Ostravel\\\\Kickvale 09] 1733500000\n\"OnlyPlain\"=\"three\"";
    return file;
}

TEST(WineRegistryBlocksTest, KeysCutByTheEndOfAReadBlockAreReadWhole)
{
    const QString key = QStringLiteral("SOFTWARE\\Ostravel\\Kickvale 09");
    // The block ends in the key line, just after it, and amid the values.
    for (const qsizetype wantedAt : {BlockSize - 10, BlockSize - 60, BlockSize - 400, 2 * BlockSize - 1}) {
        SCOPED_TRACE(wantedAt);
        QTemporaryDir dir;
        test::WriteFile(dir.filePath(QStringLiteral("wine/system.reg")), SystemRegAround(wantedAt));
        const Registry registry(dir.filePath(QStringLiteral("store.reg")), dir.filePath(QStringLiteral("wine")));
        EXPECT_EQ(registry.ReadRegValue(Hive::LocalMachine, key, QStringLiteral("First")), QStringLiteral("one"));
        EXPECT_EQ(registry.ReadRegValue(Hive::LocalMachine, key, QStringLiteral("Last")), QStringLiteral("two"));
        EXPECT_EQ(registry.ReadRegValue(Hive::LocalMachine, key, QStringLiteral("OnlyPlain")), QStringLiteral("three"));
        EXPECT_EQ(registry.ReadRegValue(Hive::LocalMachine, key, QStringLiteral("Value")), QString());
    }
}

}  // namespace
}  // namespace sonorelle
