#include "support/CliFixture.h"

#include "app/SettingsKeys.h"
#include "support/Mp3Files.h"

#include <QDir>

namespace sonorelle::test {
namespace {

// Files of the person's, in a folder beside the game.
class CliFileTags : public CliFixture {
protected:
    CliFileTags() { EXPECT_TRUE(QDir().mkpath(music())); }

    QString music() const { return home.filePath(S("music")); }
    QString mp3(const QString& name, const QStringList& tagOptions = {}) const
    {
        return LameMp3(music(), name, tagOptions);
    }
};

QString Shown(const QString& title, const QString& artist, const QString& album, const QString& year,
              const QString& comment)
{
    return S("title\t") + title + S("\nartist\t") + artist + S("\nalbum\t") + album + S("\nyear\t") + year +
           S("\ncomment\t") + comment + u'\n';
}

// No song list is loaded, so a damaged song of the game stays quiet; a tab in a tag cannot
// shift a script's columns.
TEST_F(CliFileTags, ShowsEveryFieldOfTheFileOneALine)
{
    useSongs({GameFixture::song(S("s01")), GameFixture::song(S("s02"), S("A"), S("T"), 100)});
    EXPECT_TRUE(cli({S("list")}).err.contains(S("s02")));
    const QString file =
        mp3(S("v2.mp3"), Args({"--id3v2-only", "--tt", "Two\tWords", "--ta", "Sølvfjord"}));
    const Run shown = cli({S("filetags"), file});
    EXPECT_EQ(shown.exitCode, 0) << shown.err.toStdString();
    EXPECT_EQ(shown.err, QString());
    EXPECT_EQ(shown.out, Shown(S("Two\\tWords"), S("Sølvfjord"), {}, {}, {}));
}

TEST_F(CliFileTags, SavingNeedsNeitherTheGameNorTheSetupAndSpeaksEnglish)
{
    set(SettingsKeys::CDDrive, QString());
    set(SettingsKeys::Language, QString());
    const QMap<QString, QString> noGame{{S("WINEPREFIX"), home.filePath(S("no-wine"))}};
    const QString file = mp3(S("song.mp3"));
    const Run saved = cli({S("setfiletags"), file, S("Grüße"), {}, S("B-Sides"), S("1999"), S("Comment")}, noGame);
    EXPECT_EQ(saved.exitCode, 0) << saved.err.toStdString();
    EXPECT_EQ(saved.out + saved.err, QString());
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
    const QString gone = home.filePath(S("music/gone.mp3"));
    cli({S("setfiletags"), gone, S("t"), S("a"), S("b"), S("2009"), S("c")}).expectFailure(1, gone);
    cli({S("filetags"), gone}).expectFailure(1, S("Sonorelle: This file does not exist:\n") + gone + u'\n');

    // A stream too short for a record is reported as the window reports it.
    WriteFile(home.filePath(S("music/cut.str")), QByteArray(100, 'a'));
    const Run damaged = cli({S("filetags"), home.filePath(S("music/cut.str"))});
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_TRUE(damaged.err.contains(S("too short to hold a tag record: cut.str"))) << damaged.err.toStdString();
}

TEST_F(CliFileTags, PlaylistPrintsEachEntryWithItsFullPathAndWhetherTheFileIsThere)
{
    WriteFile(music() + S("/Music/here.mp3"), "x");
    WriteFile(music() + S("/party.m3u"),
              "#EXTM3U\r\n#EXTINF:215,Kestrel Lane - Floodlights\r\nMusic\\here.mp3\r\n#EXTGRP:ignored\r\n"
              "gone\tname.mp3\r\n");
    const Run listed = cli({S("playlist"), music() + S("/party.m3u")});
    EXPECT_EQ(listed.exitCode, 0) << listed.err.toStdString();
    EXPECT_EQ(listed.out, S("0\t215\tKestrel Lane - Floodlights\t") + music() + S("/Music/here.mp3\tyes\n") +
                              S("1\t0\tgone\\tname.mp3\t") + music() + S("/gone\\tname.mp3\tno\n"));

    cli({S("playlist"), music() + S("/none.m3u")}).expectFailure(1, S("does not exist"));
}

}  // namespace
}  // namespace sonorelle::test
