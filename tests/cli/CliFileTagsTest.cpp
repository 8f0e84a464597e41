#include "cli/CliFixture.h"

#include "songdata/TagRecord.h"
#include "support/Mp3Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace sonorelle::test {
namespace {

// MP3 files of the person's, in a folder beside the game.
class CliFileTags : public CliFixture {
protected:
    CliFileTags() { EXPECT_TRUE(QDir().mkpath(music())); }

    QString music() const { return home.filePath(S("music")); }
    QString mp3(const QString& name, const QStringList& tagOptions = {}) const
    {
        return LameMp3(music(), name, tagOptions);
    }
    Run setFileTags(const QString& file, const QStringList& fields) const
    {
        return cli(QStringList{S("setfiletags"), file} + fields);
    }
};

QString Shown(const QString& title, const QString& artist, const QString& album, const QString& year,
              const QString& comment)
{
    return S("title\t") + title + S("\nartist\t") + artist + S("\nalbum\t") + album + S("\nyear\t") + year +
           S("\ncomment\t") + comment + u'\n';
}

TEST_F(CliFileTags, ShowsTheId3v1RecordOrElseTheId3v2FramesWithoutAComment)
{
    const QString v1 = mp3(S("v1.mp3"), Args({"--id3v1-only", "--tt", "Old Title", "--ta", "Old Artist", "--tl",
                                              "Old Album", "--ty", "1998", "--tc", "from v1"}));
    const Run one = cli({S("filetags"), v1});
    EXPECT_EQ(one.exitCode, 0) << one.err.toStdString();
    EXPECT_EQ(one.err, QString());
    EXPECT_EQ(one.out, Shown(S("Old Title"), S("Old Artist"), S("Old Album"), S("1998"), S("from v1")));

    // A tab in a frame cannot shift a script's columns.
    const QString v2 = mp3(S("v2.mp3"), QStringList{S("--id3v2-only"), S("--tt"), S("Two\tWords"), S("--ta"),
                                                    S("Sølvfjord"), S("--tl"), S("New Album"), S("--ty"),
                                                    S("2009"), S("--tc"), S("never shown")});
    const Run two = cli({S("filetags"), v2});
    EXPECT_EQ(two.exitCode, 0) << two.err.toStdString();
    EXPECT_EQ(two.out, Shown(S("Two\\tWords"), S("Sølvfjord"), S("New Album"), S("2009"), QString()));

    // Other kinds show empty fields, as the window's click leaves them.
    const QString wav = home.filePath(S("music/tone.wav"));
    WriteFile(wav, ReadFile(v1));
    EXPECT_EQ(cli({S("filetags"), wav}).out, Shown({}, {}, {}, {}, {}));
}

TEST_F(CliFileTags, NeedNoSongListSoADamagedSongStaysQuiet)
{
    useSongs({GameFixture::song(S("s01")), GameFixture::song(S("s02"), S("A"), S("T"), 100)});
    const Run listed = cli({S("list")});
    EXPECT_TRUE(listed.err.contains(S("s02"))) << listed.err.toStdString();

    const Run shown = cli({S("filetags"), mp3(S("plain.mp3"))});
    EXPECT_EQ(shown.exitCode, 0);
    EXPECT_EQ(shown.err, QString());
}

TEST_F(CliFileTags, SavingAppendsTheRecordOnceThenOverwritesItInPlace)
{
    const QString file = mp3(S("song.mp3"));
    const QByteArray audio = ReadFile(file);

    const Run first = setFileTags(file, {S("A title that is longer than thirty"), S("Artist"), S("Album"),
                                         S("20091"), S("Comment")});
    EXPECT_EQ(first.exitCode, 0) << first.err.toStdString();
    EXPECT_EQ(first.out, QString());
    EXPECT_EQ(first.err, QString());
    QByteArray saved = ReadFile(file);
    ASSERT_EQ(saved.size(), audio.size() + TagRecord::Size);
    EXPECT_EQ(saved.left(audio.size()), audio);
    const TagRecord record = TagRecord::fromBytes(saved.right(TagRecord::Size));
    EXPECT_TRUE(record.hasMarker());
    EXPECT_EQ(record.StrTitle, S("A title that is longer than th"));
    EXPECT_EQ(record.StrYear, S("2009"));
    EXPECT_EQ(record.StrGenre, 0);

    const Run second = setFileTags(file, {S("Grüße"), QString(), S("B-Sides"), S("1999"), QString()});
    EXPECT_EQ(second.exitCode, 0) << second.err.toStdString();
    saved = ReadFile(file);
    EXPECT_EQ(saved.size(), audio.size() + TagRecord::Size);
    EXPECT_EQ(saved.left(audio.size()), audio);
    EXPECT_EQ(cli({S("filetags"), file}).out, Shown(S("Grüße"), {}, S("B-Sides"), S("1999"), {}));
}

TEST_F(CliFileTags, WhatCannotBeReadOrTaggedIsAnErrorAndChangesNothing)
{
    const QString wav = home.filePath(S("music/tone.wav"));
    WriteFile(wav, QByteArray(500, 'a'));
    const Run notTaggable = setFileTags(wav, {S("t"), S("a"), S("b"), S("2009"), S("c")});
    EXPECT_EQ(notTaggable.exitCode, 1);
    EXPECT_TRUE(notTaggable.err.contains(S("neither an MP3 file"))) << notTaggable.err.toStdString();
    EXPECT_EQ(ReadFile(wav), QByteArray(500, 'a'));

    const QString gone = home.filePath(S("music/gone.mp3"));
    const Run unsaved = setFileTags(gone, {S("t"), S("a"), S("b"), S("2009"), S("c")});
    EXPECT_EQ(unsaved.exitCode, 1);
    EXPECT_TRUE(unsaved.err.contains(gone)) << unsaved.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(gone));
    const Run unread = cli({S("filetags"), gone});
    EXPECT_EQ(unread.exitCode, 1);
    EXPECT_EQ(unread.err, S("Sonorelle: ") + gone + S(" does not exist.\n"));
    EXPECT_EQ(unread.out, QString());

    // A stream too short for a record is reported as the window reports it.
    const QString shortStream = home.filePath(S("music/cut.str"));
    WriteFile(shortStream, QByteArray(100, 'a'));
    const Run damaged = cli({S("filetags"), shortStream});
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_TRUE(damaged.err.contains(S("too short to hold a tag record: cut.str - the selected file"))) << damaged.err.toStdString();
}

TEST_F(CliFileTags, AnotherUsersFileIsRefusedWithMsg12)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "running as another user needs root";
    const QString file = mp3(S("theirs.mp3"));
    const QByteArray before = ReadFile(file);

    const Run refused = cliAsNobody({S("setfiletags"), file, S("t"), S("a"), S("b"), S("2009"), S("c")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(S("Sonorelle: You may not change this file"))) << refused.err.toStdString();
    EXPECT_EQ(ReadFile(file), before);

    // Reading it is allowed.
    const Run shown = cliAsNobody({S("filetags"), file});
    EXPECT_EQ(shown.exitCode, 0) << shown.err.toStdString();
    EXPECT_EQ(shown.out, Shown({}, {}, {}, {}, {}));
}

}  // namespace
}  // namespace sonorelle::test
