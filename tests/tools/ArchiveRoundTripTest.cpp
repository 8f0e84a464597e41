#include "tools/ArchiveToolHarness.h"

#include "addon2/WildcardPattern.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <map>

namespace sonorelle::test {
namespace {

using Members = std::map<QString, QByteArray>;

class ArchiveRoundTripTest : public ::testing::Test {
protected:
    QString Make(const QString& name, const QByteArray& bytes) const
    {
        const QString path = tool.Path(name);
        ArchiveToolHarness::Write(path, bytes);
        return path;
    }

    QString CreateArchive(const Members& members, const QString& name = QStringLiteral("audio.big")) const
    {
        QDir(tool.Path(QString())).mkpath(QStringLiteral("in"));
        QStringList arguments{QStringLiteral("-c"), tool.Path(name)};
        for (const auto& [member, bytes] : members)
            arguments << Make(QStringLiteral("in/") + member, bytes);
        const auto result = ArchiveToolHarness::Run(arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        return tool.Path(name);
    }

    QByteArray Listing(const QString& archive) const
    {
        const auto result = ArchiveToolHarness::Run({QStringLiteral("-l"), archive});
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        return result.out;
    }

    ArchiveToolHarness tool;
};

TEST_F(ArchiveRoundTripTest, CreateListAndExtractKeepEveryByte)
{
    const Members members{
        {QStringLiteral("songlist.bin"), ArchiveToolHarness::Bytes(140 * 40, 1)},
        {QStringLiteral("empty.dat"), QByteArray()},
        {QStringLiteral("name with blanks.sng"), ArchiveToolHarness::Bytes(300000, 2)},
        {QStringLiteral("Überschrift.txt"), QByteArrayLiteral("text\n")},
    };
    const QString archive = CreateArchive(members);

    // Listed in the order given on the command line (here: the map's order).
    QByteArray expected;
    for (const auto& [name, bytes] : members)
        expected += name.toUtf8() + '\t' + QByteArray::number(bytes.size()) + '\n';
    EXPECT_EQ(Listing(archive), expected);
    for (const auto& [name, bytes] : members)
        EXPECT_EQ(tool.Extract(archive, name), bytes) << name.toStdString();

    // Names compare without regard to case, also beyond ASCII.
    EXPECT_EQ(tool.Extract(archive, QStringLiteral("SONGLIST.BIN")), members.at(QStringLiteral("songlist.bin")));
    EXPECT_EQ(tool.Extract(archive, QStringLiteral("üBERSCHRIFT.TXT")), members.at(QStringLiteral("Überschrift.txt")));
}

TEST_F(ArchiveRoundTripTest, WildcardAddsEveryMatchingFileByBaseName)
{
    const QString archive = CreateArchive({{QStringLiteral("s701.sng"), ArchiveToolHarness::Bytes(5000, 3)}});
    QDir(tool.Path(QString())).mkpath(QStringLiteral("audio/songlist.d"));
    const Members matching{
        {QStringLiteral("songlist.bin"), ArchiveToolHarness::Bytes(4200, 4)},
        {QStringLiteral("songlist.bak"), ArchiveToolHarness::Bytes(10, 5)},
        {QStringLiteral("SongList.old"), ArchiveToolHarness::Bytes(77, 6)},
    };
    for (const auto& [name, bytes] : matching)
        Make(QStringLiteral("audio/") + name, bytes);
    Make(QStringLiteral("audio/songs.bin"), "no match");
    Make(QStringLiteral("audio/.songlist.bin.0123456789abcdef.tmp"), "another run's temporary file");

    const auto result = ArchiveToolHarness::Run({QStringLiteral("-ar"), archive, tool.Path(QStringLiteral("audio/songlist.*"))});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.err.isEmpty());

    EXPECT_EQ(Listing(archive), QByteArrayLiteral("s701.sng\t5000\nSongList.old\t77\nsonglist.bak\t10\nsonglist.bin\t4200\n"));
    for (const auto& [name, bytes] : matching)
        EXPECT_EQ(tool.Extract(archive, name), bytes) << name.toStdString();
}

TEST_F(ArchiveRoundTripTest, ReplacingManyTimesKeepsTheLatestAndEveryOtherMember)
{
    const QByteArray stream = ArchiveToolHarness::Bytes(70000, 7);
    const QString archive = CreateArchive({{QStringLiteral("s701.sng"), stream},
        {QStringLiteral("songlist.bin"), ArchiveToolHarness::Bytes(140, 8)}});
    for (std::uint32_t round = 0; round < 40; ++round) {
        const QByteArray list = ArchiveToolHarness::Bytes(140 * (round % 7), 100 + round);
        const QString source = Make(QStringLiteral("songlist.bin"), list);
        const auto result = ArchiveToolHarness::Run({QStringLiteral("-ar"), archive, source});
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
        ASSERT_EQ(tool.Extract(archive, QStringLiteral("songlist.bin")), list) << "round " << round;
        EXPECT_EQ(Listing(archive).count('\n'), 2);
    }
    EXPECT_EQ(tool.Extract(archive, QStringLiteral("s701.sng")), stream);
}

TEST_F(ArchiveRoundTripTest, AFileDifferingOnlyInCaseReplacesTheMember)
{
    const QString archive = CreateArchive({{QStringLiteral("SongList.bin"), "old"}});
    const auto result = ArchiveToolHarness::Run({QStringLiteral("-ar"), archive, Make(QStringLiteral("songlist.bin"), "new")});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(Listing(archive), QByteArrayLiteral("songlist.bin\t3\n"));
}

TEST_F(ArchiveRoundTripTest, FailuresSayOneLineAndChangeNothing)
{
    const QString archive = CreateArchive({{QStringLiteral("songlist.bin"), ArchiveToolHarness::Bytes(4200, 9)}});
    const QByteArray before = ArchiveToolHarness::Read(archive);
    const QString out = tool.Path(QStringLiteral("out.bin"));
    const QStringList failing[] = {
        {QStringLiteral("-ar"), archive, tool.Path(QStringLiteral("nothing.*"))},
        {QStringLiteral("-ar"), archive, tool.Path(QStringLiteral("missing.bin"))},
        {QStringLiteral("-ar"), archive, tool.Path(QStringLiteral("in"))},
        {QStringLiteral("-ar"), archive, tool.Path(QStringLiteral("*.big"))},  // the archive itself
        {QStringLiteral("-ar"), tool.Path(QStringLiteral("absent.big")), tool.Path(QStringLiteral("in/*"))},
        {QStringLiteral("-e"), archive, QStringLiteral("absent.bin"), out},
        {QStringLiteral("-e"), archive, QStringLiteral("songlist.bin"), tool.Path(QStringLiteral("no/such/folder/out.bin"))},
        {QStringLiteral("-e"), archive, QStringLiteral("songlist.bin"), archive},
        {QStringLiteral("-c"), archive, tool.Path(QStringLiteral("in/songlist.bin"))},
        {QStringLiteral("-c"), tool.Path(QStringLiteral("new.big")), tool.Path(QStringLiteral("in/songlist.bin")),
            tool.Path(QStringLiteral("in/SONGLIST.BIN"))},
        {QStringLiteral("-c"), tool.Path(QStringLiteral("new.big")), tool.Path(QStringLiteral("in/missing"))},
    };
    Make(QStringLiteral("in/SONGLIST.BIN"), "same member name");
    for (const QStringList& arguments : failing) {
        const auto result = ArchiveToolHarness::Run(arguments);
        EXPECT_TRUE(result.OneLineError()) << arguments.join(u' ').toStdString() << ": " << result.err.toStdString();
        EXPECT_EQ(result.exitCode, 1) << arguments.join(u' ').toStdString();
    }
    EXPECT_EQ(ArchiveToolHarness::Read(archive), before);
    EXPECT_FALSE(QFileInfo::exists(out));
    EXPECT_FALSE(QFileInfo::exists(tool.Path(QStringLiteral("new.big"))));
    // No temporary file left behind either.
    EXPECT_EQ(QDir(tool.Path(QString())).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("audio.big")});
}

TEST_F(ArchiveRoundTripTest, AnythingOutsideTheCommandLineContractIsAUsageError)
{
    const QString archive = CreateArchive({{QStringLiteral("songlist.bin"), "x"}});
    const QStringList usages[] = {
        {},
        {QStringLiteral("-x"), archive},
        {QStringLiteral("-l")},
        {QStringLiteral("-l"), archive, QStringLiteral("extra")},
        {QStringLiteral("-e"), archive, QStringLiteral("songlist.bin")},
        {QStringLiteral("-ar"), archive},
        {QStringLiteral("-ar"), archive, QStringLiteral("a"), QStringLiteral("b")},
        {QStringLiteral("-c"), archive},
        {QStringLiteral("-E"), archive, QStringLiteral("songlist.bin"), tool.Path(QStringLiteral("o"))},
    };
    for (const QStringList& arguments : usages) {
        const auto result = ArchiveToolHarness::Run(arguments);
        EXPECT_EQ(result.exitCode, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(result.OneLineError()) << result.err.toStdString();
    }
}

TEST(ArchiveWildcardTest, MatchesLikeWindowsWithoutRegardToCase)
{
    EXPECT_TRUE(WildcardPattern::Matches("songlist.bin", "songlist.*"));
    EXPECT_TRUE(WildcardPattern::Matches("SONGLIST.BIN", "songlist.*"));
    EXPECT_TRUE(WildcardPattern::Matches("songlist.", "songlist.*"));
    EXPECT_FALSE(WildcardPattern::Matches("songlist", "songlist.*"));
    EXPECT_TRUE(WildcardPattern::Matches("s701.sng", "s7??.sng"));
    EXPECT_FALSE(WildcardPattern::Matches("s70.sng", "s7??.sng"));
    EXPECT_TRUE(WildcardPattern::Matches("a[1].bin", "a[1].*"));  // brackets are plain characters
    EXPECT_FALSE(WildcardPattern::Matches("a1.bin", "a[1].*"));
    EXPECT_TRUE(WildcardPattern::Matches("ÄRGER.txt", "ärger.*"));
    // Many stars against a long name that almost matches must not take forever.
    const std::string name(20000, 'a');
    EXPECT_FALSE(WildcardPattern::Matches(name, "*a*a*a*a*a*a*a*a*b"));
}

}  // namespace
}  // namespace sonorelle::test
