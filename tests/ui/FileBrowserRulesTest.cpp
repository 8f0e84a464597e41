#include "support/FileBytes.h"
#include "ui/BrowserDriveList.h"
#include "ui/FileClick.h"
#include "ui/FileListFilter.h"
#include "ui/BrowserFolders.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sonorelle::test {
namespace {

QString L(const char* text)
{
    return QString::fromLatin1(text);
}

TEST(FileListFilter, MatchesTheAudioPatternWithoutRegardToCase)
{
    const FileListFilter filter;
    for (const char* name : {"a.mp3", "B.MP3", "c.Wav", "Track01.cda", "d.aif", "e.AIFF", "f.mp2", "g.asf", "s01.SNG"})
        EXPECT_TRUE(filter.matches(L(name))) << name;
    for (const char* name : {"old.str", "notes.txt", "mp3", "a.mp3.part", "a.mp4"})
        EXPECT_FALSE(filter.matches(L(name))) << name;
    EXPECT_TRUE(filter.filesIn(L("/nonexistent/folder")).isEmpty());
}

// The main window's tests click .mp3, .wav, .mp2, .asf and .cda files as well.
TEST(FileClick, ExtensionDecidesPreviewAndTagSource)
{
    struct Case {
        const char* name;
        bool preview;
        FileClick::TagSource tags;
    };
    const Case cases[] = {
        {"song.MP3", true, FileClick::TagSource::Mp3},     {"song.wav", true, FileClick::TagSource::None},
        {"game.str", true, FileClick::TagSource::Stream},  {"song.aiff", false, FileClick::TagSource::None},
    };
    for (const Case& c : cases) {
        const FileClick click = FileClick::of(L("/music"), L(c.name));
        EXPECT_EQ(click.enablesPreview, c.preview) << c.name;
        EXPECT_EQ(click.tagSource, c.tags) << c.name;
    }
}

TEST(BrowserDriveList, HomeFirstThenPersonalVolumesThenCdUnitsAndAFolderBelongsToTheClosestRoot)
{
    const QList<MountedVolume> volumes{
        {L("/"), {}, "overlay", "overlay"},
        {L("/proc"), {}, "proc", "proc"},
        {L("/var/lib/docker/overlay2/x/merged"), {}, "overlay", "overlay"},
        {L("/boot/efi"), {}, "vfat", "/dev/sda1"},
        {L("/run/media/me/STICK"), L("STICK"), "vfat", "/dev/sdb1"},
        {L("/home/me"), {}, "ext4", "/dev/sda3"},
        {L("/media/cdrom"), L("DATA"), "iso9660", "/dev/sr0"},
    };
    const QList<CdUnit> units{{L("ACME DVD"), L("/dev/sr0"), false, {}},
                              {L("disc.cue"), L("/tmp/disc.cue"), true, {}},
                              {L("(no CD drive)"), {}, false, {}}};
    const QList<BrowserDrive> drives = BrowserDriveList::compose(L("/home/me"), volumes, units);
    QStringList roots;
    for (const BrowserDrive& drive : drives)
        roots.append(drive.root);
    EXPECT_EQ(roots, (QStringList{L("/home/me"), L("/"), L("/run/media/me/STICK"), L("/media/cdrom"),
                                  L("/media/cdrom"), QString()}));
    EXPECT_EQ(drives[0].kind, BrowserDrive::Kind::Home);
    EXPECT_EQ(drives[4].kind, BrowserDrive::Kind::CdUnit);
    EXPECT_EQ((QStringList{drives[2].name, drives[4].name, drives[5].name}),
              (QStringList{L("/run/media/me/STICK  [STICK]"), L("CD: ACME DVD"), L("CD: disc.cue")}));

    EXPECT_EQ(BrowserDriveList::driveOf(drives, L("/home/me/Music")), 0);
    EXPECT_EQ(BrowserDriveList::driveOf(drives, L("/home/meg")), 1);
    EXPECT_EQ(BrowserDriveList::driveOf(drives, L("/run/media/me/STICK/a")), 2);
    EXPECT_EQ(BrowserDriveList::driveOf({}, L("/srv")), -1);
}

// A disc image without its data and one with it, the main window's drive tests choose.
TEST(BrowserDrive, ReadinessOfFoldersAndOfNoDrive)
{
    QTemporaryDir dir;
    EXPECT_TRUE((BrowserDrive{BrowserDrive::Kind::Volume, dir.path(), dir.path(), {}}).isReady());
    EXPECT_FALSE((BrowserDrive{BrowserDrive::Kind::Volume, L("x"), dir.filePath(L("gone")), {}}).isReady());
    EXPECT_FALSE((BrowserDrive{BrowserDrive::Kind::CdUnit, {}, {}, {L("(no CD drive)"), {}, false, {}}}).isReady());
}

TEST(FolderListing, ChainRunsFromTheRootDownAndSubfoldersAreSortedWithoutHiddenOnes)
{
    EXPECT_EQ(BrowserFolders::chain(L("/home/me"), L("/home/me/Music/Live")),
              (QStringList{L("/home/me"), L("/home/me/Music"), L("/home/me/Music/Live")}));
    EXPECT_EQ(BrowserFolders::chain(L("/"), L("/srv")), (QStringList{L("/"), L("/srv")}));
    EXPECT_EQ(BrowserFolders::chain(L("/home/me"), L("/home/me/")), QStringList{L("/home/me")});
    // A folder outside the drive stands alone rather than climbing out of it.
    EXPECT_EQ(BrowserFolders::chain(L("/home/me"), L("/srv/x")), QStringList{L("/srv/x")});
    EXPECT_TRUE(BrowserFolders::chain(L("/"), QString()).isEmpty());

    QTemporaryDir dir;
    for (const char* name : {"rock", "Ambient", ".cache", "jazz"})
        ASSERT_TRUE(QDir(dir.path()).mkdir(L(name)));
    WriteFile(dir.filePath(L("file.mp3")), {});
    EXPECT_EQ(BrowserFolders::subfolders(dir.path()),
              (QStringList{dir.filePath(L("Ambient")), dir.filePath(L("jazz")), dir.filePath(L("rock"))}));
}

}  // namespace
}  // namespace sonorelle::test
