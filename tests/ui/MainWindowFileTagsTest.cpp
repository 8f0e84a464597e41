#include "MainWindowFixture.h"

#include "songdata/TagRecord.h"
#include "support/AsNobody.h"
#include "support/Mp3Files.h"

#include <QAbstractButton>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>

#include <unistd.h>

namespace sonorelle::test {
namespace {

const char* const FileFields[] = {"txtTitle", "txtArtist", "txtAlbum", "txtDate", "txtComment"};

// The window over a folder of generated files: an MP3 with ID3v2 tags only, a WAV file
// and a stream too short for a record.
class MainWindowFileTags : public MainWindowFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(created);
        tagged = LameMp3(music.path(), S("tagged.mp3"),
                         Args({"--id3v2-only", "--tt", "Floodlights", "--ta", "Kestrel Lane", "--tl", "Extra Time",
                               "--ty", "2008", "--tc", "not in the frames we read"}));
        WriteFile(music.filePath(S("tone.wav")), ReadFile(tagged));
        WriteFile(music.filePath(S("cut.asf")), QByteArray(100, 'a'));
        ASSERT_TRUE(startWindow());
        ASSERT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
        window->placeFileBrowser(music.path());
        files = find<QListWidget>("File1");
    }

    void click(const QString& name) const
    {
        const QList<QListWidgetItem*> found = files->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        files->setCurrentItem(found.first());
    }

    QStringList shown() const
    {
        QStringList texts;
        for (const char* name : FileFields)
            texts.append(find<QLineEdit>(name)->text());
        return texts;
    }

    void type(const char* field, const QString& text) const { find<QLineEdit>(field)->setText(text); }
    void pressSave() const { find<QAbstractButton>("Command5")->click(); }

    QTemporaryDir music;
    QString tagged;
    QListWidget* files = nullptr;
};

TEST_F(MainWindowFileTags, ClickShowsTheFilesTagsAndEmptiesThemForAFileWithout)
{
    click(S("tagged.mp3"));
    EXPECT_EQ(shown(), (QStringList{S("Floodlights"), S("Kestrel Lane"), S("Extra Time"), S("2008"), QString()}));

    click(S("tone.wav"));
    EXPECT_EQ(shown(), QStringList(5, QString()));

    click(S("cut.asf"));
    EXPECT_EQ(shown(), QStringList(5, QString()));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0],
              S("The file is too short to hold a tag record: cut.asf - the selected file is damaged or empty."));
}

TEST_F(MainWindowFileTags, SavingWritesTheRecordIntoTheClickedMp3AndRefreshesNothing)
{
    const QByteArray audio = ReadFile(tagged);
    click(S("tagged.mp3"));
    type("txtTitle", S("Floodlights (live)"));
    type("txtComment", S("typed"));
    pressSave();

    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
    const QByteArray saved = ReadFile(tagged);
    ASSERT_EQ(saved.size(), audio.size() + TagRecord::Size);
    EXPECT_EQ(saved.left(audio.size()), audio);
    const TagRecord record = TagRecord::fromBytes(saved.right(TagRecord::Size));
    EXPECT_EQ(record.StrTitle.trimmed(), S("Floodlights (live)"));
    EXPECT_EQ(record.StrArtist.trimmed(), S("Kestrel Lane"));
    EXPECT_EQ(record.StrYear, S("2008"));
    EXPECT_EQ(record.StrComment.trimmed(), S("typed"));
    EXPECT_EQ(shown(), (QStringList{S("Floodlights (live)"), S("Kestrel Lane"), S("Extra Time"), S("2008"),
                                    S("typed")}));

    // A second save overwrites the record it wrote.
    pressSave();
    EXPECT_EQ(ReadFile(tagged), saved);
}

TEST_F(MainWindowFileTags, SavingWithoutAFileOrIntoAWavWritesNothing)
{
    const QByteArray wav = ReadFile(music.filePath(S("tone.wav")));
    pressSave();
    click(S("tone.wav"));
    type("txtTitle", S("Nowhere"));
    pressSave();
    EXPECT_EQ(ReadFile(music.filePath(S("tone.wav"))), wav);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
}

TEST_F(MainWindowFileTags, AnotherUsersFileIsRefusedWithMsg12)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "acting as another user needs root";
    // nobody may look into the folder, but not write the file.
    QFile::setPermissions(music.path(), QFile::permissions(music.path()) | QFileDevice::ReadOther
                                            | QFileDevice::ExeOther);
    const QByteArray before = ReadFile(tagged);
    click(S("tagged.mp3"));
    {
        const AsNobody nobody;
        ASSERT_TRUE(nobody.switched());
        pressSave();
    }
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], S("You may not change this file: it belongs to another user or is write-protected."));
    EXPECT_EQ(messageCaptions[0], S("Sonorelle"));
    EXPECT_EQ(messageIcons[0], QMessageBox::Critical);
    EXPECT_EQ(ReadFile(tagged), before);
}

}  // namespace
}  // namespace sonorelle::test
