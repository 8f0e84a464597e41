#include "support/CliFixture.h"

#include "app/SettingsKeys.h"

#include "songdata/TagRecord.h"
#include "support/Mp3Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

TEST_F(CliFileTags, ShowsTheId3v1RecordOrElseTheId3v2Frames)
{
    // No song list is loaded, so a damaged song of the game stays quiet.
    useSongs({GameFixture::song(S("s01")), GameFixture::song(S("s02"), S("A"), S("T"), 100)});
    EXPECT_TRUE(cli({S("list")}).err.contains(S("s02")));
    const QString v1 = mp3(S("v1.mp3"), Args({"--id3v1-only", "--tt", "Old Title", "--tc", "from v1"}));
    const Run one = cli({S("filetags"), v1});
    EXPECT_EQ(one.exitCode, 0) << one.err.toStdString();
    EXPECT_EQ(one.err, QString());
    EXPECT_EQ(one.out, Shown(S("Old Title"), {}, {}, {}, S("from v1")));

    // A tab in a frame cannot shift a script's columns.
    const QString v2 = mp3(S("v2.mp3"), QStringList{S("--id3v2-only"), S("--tt"), S("Two\tWords"), S("--ta"),
                                                    S("Sølvfjord"), S("--tl"), S("New Album"), S("--ty"),
                                                    S("2009"), S("--tc"), S("shown too")});
    const Run two = cli({S("filetags"), v2});
    EXPECT_EQ(two.exitCode, 0) << two.err.toStdString();
    EXPECT_EQ(two.out, Shown(S("Two\\tWords"), S("Sølvfjord"), S("New Album"), S("2009"), S("shown too")));

    // Other kinds show empty fields, as the window's click leaves them.
    const QString wav = home.filePath(S("music/tone.wav"));
    WriteFile(wav, ReadFile(v1));
    EXPECT_EQ(cli({S("filetags"), wav}).out, Shown({}, {}, {}, {}, {}));
}

TEST_F(CliFileTags, SavingAppendsTheRecordNeedingNeitherTheGameNorTheSetupAndSpeaksEnglish)
{
    set(SettingsKeys::CDDrive, QString());
    set(SettingsKeys::Language, QString());
    const QMap<QString, QString> noGame{{S("WINEPREFIX"), home.filePath(S("no-wine"))}};
    const QString file = mp3(S("song.mp3"));
    const QByteArray audio = ReadFile(file);
    const Run saved = cli({S("setfiletags"), file, S("Grüße"), {}, S("B-Sides"), S("1999"), S("Comment")}, noGame);
    EXPECT_EQ(saved.exitCode, 0) << saved.err.toStdString();
    EXPECT_EQ(saved.out + saved.err, QString());
    EXPECT_EQ(ReadFile(file).size(), audio.size() + TagRecord::Size);
    EXPECT_EQ(cli({S("filetags"), file}, noGame).out, Shown(S("Grüße"), {}, S("B-Sides"), S("1999"), S("Comment")));
    const QString wav = home.filePath(S("music/tone.wav"));
    WriteFile(wav, QByteArray(500, 'a'));
    cli({S("setfiletags"), wav, S("t"), {}, {}, {}, {}}, noGame).expectFailure(1, S("Sonorelle: "));
}

// The code page of the records follows the locale the program runs under; what it
// cannot hold is refused with exit code 1.
QMap<QString, QString> Locale(const char* name)
{
    return {{S("LC_ALL"), QString()}, {S("LC_CTYPE"), QString()}, {S("LANG"), S(name)}};
}

TEST_F(CliFileTags, TextsAreStoredInTheLocalesCodePageOrRefused)
{
    const QString file = mp3(S("song.mp3"));
    const QByteArray audio = ReadFile(file);
    const QStringList setFileTags{S("setfiletags"), file, S("Кино"), QString(), QString(), QString(), QString()};
    cli(setFileTags, Locale("en_US.UTF-8")).expectFailure(1, S("Кино\nTagCodePage = 1252"));
    EXPECT_EQ(ReadFile(file), audio);
    EXPECT_EQ(cli(setFileTags, Locale("ru_RU.UTF-8")).exitCode, 0);
    EXPECT_EQ(ReadFile(file).mid(audio.size() + 3, 4), QByteArray("\xCA\xE8\xED\xEE"));
}

TEST_F(CliFileTags, WhatCannotBeReadOrTaggedIsAnErrorAndChangesNothing)
{
    const QString wav = home.filePath(S("music/tone.wav"));
    WriteFile(wav, QByteArray(500, 'a'));
    setFileTags(wav, {S("t"), S("a"), S("b"), S("2009"), S("c")}).expectFailure(1, S("only into MP3 files"));
    EXPECT_EQ(ReadFile(wav), QByteArray(500, 'a'));

    const QString gone = home.filePath(S("music/gone.mp3"));
    setFileTags(gone, {S("t"), S("a"), S("b"), S("2009"), S("c")}).expectFailure(1, gone);
    EXPECT_FALSE(QFileInfo::exists(gone));
    cli({S("filetags"), gone}).expectFailure(1, S("Sonorelle: This file does not exist:\n") + gone + u'\n');

    // A stream too short for a record is reported as the window reports it.
    WriteFile(home.filePath(S("music/cut.str")), QByteArray(100, 'a'));
    const Run damaged = cli({S("filetags"), home.filePath(S("music/cut.str"))});
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_TRUE(damaged.err.contains(S("too short to hold a tag record: cut.str"))) << damaged.err.toStdString();
}

}  // namespace
}  // namespace sonorelle::test
