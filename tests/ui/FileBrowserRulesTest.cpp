#include "ui/BrowserDriveList.h"
#include "ui/FileClick.h"
#include "ui/FileListFilter.h"
#include "ui/FolderListing.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sonorelle {
namespace {

void Touch(const QString& path, const QByteArray& bytes = {})
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

// A cue sheet with one audio track; its .bin is written only when asked.
QString DiscImage(const QTemporaryDir& dir, bool withBin)
{
    const QString cue = dir.filePath(QStringLiteral("disc.cue"));
    Touch(cue, "FILE \"disc.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
    if (withBin)
        Touch(dir.filePath(QStringLiteral("disc.bin")), QByteArray(2352 * 75, '\0'));
    return cue;
}

TEST(FileListFilter, MatchesTheAudioPatternWithoutRegardToCase)
{
    const FileListFilter filter;
    for (const char* name : {"a.mp3", "B.MP3", "c.Wav", "Track01.cda", "d.aif", "e.AIFF", "f.mp2", "g.asf", "s01.SNG"})
        EXPECT_TRUE(filter.matches(QString::fromLatin1(name))) << name;
    for (const char* name : {"old.str", "notes.txt", "mp3", "a.mp3.part", "a.mp4"})
        EXPECT_FALSE(filter.matches(QString::fromLatin1(name))) << name;
}

TEST(FileListFilter, ListsOnlyMatchingFilesOfTheFolderSortedByName)
{
    QTemporaryDir dir;
    for (const char* name : {"zeta.MP3", "Alpha.wav", "beta.mp2", "old.str", "cover.jpg", "s01.sng"})
        Touch(dir.filePath(QString::fromLatin1(name)));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.mp3")));
    EXPECT_EQ(FileListFilter().filesIn(dir.path()),
              (QStringList{QStringLiteral("Alpha.wav"), QStringLiteral("beta.mp2"), QStringLiteral("s01.sng"),
                           QStringLiteral("zeta.MP3")}));
    EXPECT_TRUE(FileListFilter().filesIn(dir.filePath(QStringLiteral("missing"))).isEmpty());
    EXPECT_TRUE(FileListFilter().filesIn(QString()).isEmpty());
}

TEST(FileClick, ExtensionDecidesPreviewAndTagSource)
{
    struct Case {
        const char* name;
        bool preview;
        FileClick::TagSource tags;
    };
    const Case cases[] = {
        {"song.MP3", true, FileClick::TagSource::Mp3},     {"song.wav", true, FileClick::TagSource::None},
        {"Track02.cda", true, FileClick::TagSource::None}, {"game.str", true, FileClick::TagSource::Stream},
        {"clip.asf", true, FileClick::TagSource::Stream},  {"song.mp2", false, FileClick::TagSource::None},
        {"song.aiff", false, FileClick::TagSource::None},  {"s01.sng", false, FileClick::TagSource::None},
    };
    for (const Case& c : cases) {
        const FileClick click = FileClick::of(QStringLiteral("/music"), QString::fromLatin1(c.name));
        EXPECT_EQ(click.enablesPreview, c.preview) << c.name;
        EXPECT_EQ(click.tagSource, c.tags) << c.name;
    }
}

TEST(FileClick, FullPathHasOneSeparatorAlsoAtARoot)
{
    EXPECT_EQ(FileClick::of(QStringLiteral("/"), QStringLiteral("a.mp3")).fullPath, QStringLiteral("/a.mp3"));
    EXPECT_EQ(FileClick::of(QStringLiteral("/media/stick/"), QStringLiteral("a.mp3")).fullPath,
              QStringLiteral("/media/stick/a.mp3"));
    EXPECT_EQ(FileClick::of(QStringLiteral("/home/me/Music"), QStringLiteral("a.mp3")).fullPath,
              QStringLiteral("/home/me/Music/a.mp3"));
}

TEST(BrowserDriveList, HomeFirstThenPersonalVolumesThenCdUnits)
{
    const QList<MountedVolume> volumes{
        {QStringLiteral("/"), {}, "overlay", "overlay"},
        {QStringLiteral("/proc"), {}, "proc", "proc"},
        {QStringLiteral("/dev/shm"), {}, "tmpfs", "tmpfs"},
        {QStringLiteral("/run/user/1000"), {}, "tmpfs", "tmpfs"},
        {QStringLiteral("/var/lib/docker/overlay2/x/merged"), {}, "overlay", "overlay"},
        {QStringLiteral("/boot/efi"), {}, "vfat", "/dev/sda1"},
        {QStringLiteral("/run/media/me/STICK"), QStringLiteral("STICK"), "vfat", "/dev/sdb1"},
        {QStringLiteral("/home/me"), {}, "ext4", "/dev/sda3"},
        {QStringLiteral("/media/cdrom"), QStringLiteral("DATA"), "iso9660", "/dev/sr0"},
    };
    const QList<CdUnit> units{{QStringLiteral("ACME DVD"), QStringLiteral("/dev/sr0"), false, {}},
                              {QStringLiteral("disc.cue"), QStringLiteral("/tmp/disc.cue"), true, {}},
                              {QStringLiteral("(no CD drive)"), {}, false, {}}};
    const QList<BrowserDrive> drives = BrowserDriveList::compose(QStringLiteral("/home/me"), volumes, units);

    QStringList roots;
    QStringList names;
    for (const BrowserDrive& drive : drives) {
        roots.append(drive.root);
        names.append(drive.name);
    }
    EXPECT_EQ(roots, (QStringList{QStringLiteral("/home/me"), QStringLiteral("/"),
                                  QStringLiteral("/run/media/me/STICK"), QStringLiteral("/media/cdrom"),
                                  QStringLiteral("/media/cdrom"), QString()}));
    EXPECT_EQ(drives[0].kind, BrowserDrive::Kind::Home);
    EXPECT_EQ(names[2], QStringLiteral("/run/media/me/STICK  [STICK]"));
    EXPECT_EQ(drives[4].kind, BrowserDrive::Kind::CdUnit);
    EXPECT_EQ(names[4], QStringLiteral("CD: ACME DVD"));
    EXPECT_EQ(names[5], QStringLiteral("CD: disc.cue"));
}

TEST(BrowserDriveList, DriveOfAFolderIsTheClosestRoot)
{
    const QList<BrowserDrive> drives =
        BrowserDriveList::compose(QStringLiteral("/home/me"),
                                  {{QStringLiteral("/"), {}, "ext4", {}}, {QStringLiteral("/home"), {}, "ext4", {}}},
                                  {});
    EXPECT_EQ(BrowserDriveList::driveOf(drives, QStringLiteral("/home/me/Music")), 0);
    EXPECT_EQ(BrowserDriveList::driveOf(drives, QStringLiteral("/home/meg")), 2);
    EXPECT_EQ(BrowserDriveList::driveOf(drives, QStringLiteral("/srv/audio")), 1);
    EXPECT_EQ(BrowserDriveList::driveOf({}, QStringLiteral("/srv")), -1);
}

TEST(BrowserDrive, ReadinessOfFoldersAndDiscImages)
{
    QTemporaryDir dir;
    QTemporaryDir emptyTray;
    const BrowserDrive folder{BrowserDrive::Kind::Volume, dir.path(), dir.path(), {}};
    EXPECT_TRUE(folder.isReady());
    const BrowserDrive gone{BrowserDrive::Kind::Volume, QStringLiteral("x"), dir.filePath(QStringLiteral("gone")), {}};
    EXPECT_FALSE(gone.isReady());

    const QString complete = DiscImage(dir, true);
    EXPECT_TRUE((BrowserDrive{BrowserDrive::Kind::CdUnit, {}, {}, {QStringLiteral("disc.cue"), complete, true, {}}})
                    .isReady());
    const QString withoutBin = DiscImage(emptyTray, false);
    EXPECT_FALSE((BrowserDrive{BrowserDrive::Kind::CdUnit, {}, {}, {QStringLiteral("disc.cue"), withoutBin, true, {}}})
                     .isReady());
    EXPECT_FALSE((BrowserDrive{BrowserDrive::Kind::CdUnit, {}, {}, {QStringLiteral("(no CD drive)"), {}, false, {}}})
                     .isReady());
}

TEST(FolderListing, ChainRunsFromTheRootDownToTheFolder)
{
    EXPECT_EQ(FolderListing::chain(QStringLiteral("/home/me"), QStringLiteral("/home/me/Music/Live")),
              (QStringList{QStringLiteral("/home/me"), QStringLiteral("/home/me/Music"),
                           QStringLiteral("/home/me/Music/Live")}));
    EXPECT_EQ(FolderListing::chain(QStringLiteral("/"), QStringLiteral("/srv")),
              (QStringList{QStringLiteral("/"), QStringLiteral("/srv")}));
    EXPECT_EQ(FolderListing::chain(QStringLiteral("/home/me"), QStringLiteral("/home/me/")),
              QStringList{QStringLiteral("/home/me")});
    // A folder outside the drive stands alone rather than climbing out of it.
    EXPECT_EQ(FolderListing::chain(QStringLiteral("/home/me"), QStringLiteral("/srv/x")),
              QStringList{QStringLiteral("/srv/x")});
    EXPECT_TRUE(FolderListing::chain(QStringLiteral("/"), QString()).isEmpty());
}

TEST(FolderListing, SubfoldersAreSortedAndHiddenOnesLeftOut)
{
    QTemporaryDir dir;
    for (const char* name : {"rock", "Ambient", ".cache", "jazz"})
        ASSERT_TRUE(QDir(dir.path()).mkdir(QString::fromLatin1(name)));
    Touch(dir.filePath(QStringLiteral("file.mp3")));
    EXPECT_EQ(FolderListing::subfolders(dir.path()),
              (QStringList{dir.filePath(QStringLiteral("Ambient")), dir.filePath(QStringLiteral("jazz")),
                           dir.filePath(QStringLiteral("rock"))}));
}

}  // namespace
}  // namespace sonorelle
