#include "audio/FileTagTestSupport.h"
#include "platform/FileAccess.h"
#include "support/AsNobody.h"
#include "support/Mp3Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace sonorelle {
namespace {

using namespace sonorelle::test;

QByteArray Record(const char* title, const char* artist, const char* album, const char* year, const char* comment,
                  char genre)
{
    const auto field = [](const char* text, int width) { return QByteArray(text).leftJustified(width, ' ', true); };
    return "TAG" + field(title, 30) + field(artist, 30) + field(album, 30) + field(year, 4) + field(comment, 30) + genre;
}

constexpr char NoGenre = char(0xFF);
constexpr char Rock = 17;

// Saving works alike for MP3 files and game streams: the record is appended to a file
// without one and written over one that is there.
class SaveTest : public FileTagTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(SaveTest, AppendsOnceThenOverwritesInPlace)
{
    const QString file = path(S("song.") + S(GetParam()));
    const QByteArray audio = ReadFile(LameMp3(folder.path(), S("source.mp3")));
    WriteFile(file, audio);

    const QString longTitle = S("A title of thirty-five characters..");
    ASSERT_EQ(editor.saveFileTags(file, Fields(longTitle, S("Artist"), S("Album"), S("2021"), S("Comment"))),
              FileTagEditor::SaveResult::Saved);
    QByteArray saved = ReadFile(file);
    EXPECT_EQ(saved.size(), audio.size() + 128);
    EXPECT_EQ(saved.left(audio.size()), audio);
    EXPECT_EQ(saved.right(128),
              Record("A title of thirty-five characte", "Artist", "Album", "2021", "Comment", NoGenre));
    // A genre another program gave the file survives, though the fields do not show it.
    saved.back() = Rock;
    WriteFile(file, saved);

    const FileTagFields second = Fields(S("Grüße"), QString(), QString(), S("1999"), QString());
    ASSERT_EQ(editor.saveFileTags(file, second), FileTagEditor::SaveResult::Saved);
    saved = ReadFile(file);
    EXPECT_EQ(saved.size(), audio.size() + 128);
    EXPECT_EQ(saved.left(audio.size()), audio);
    EXPECT_EQ(editor.readFileTags(file), second);
    EXPECT_EQ(saved.back(), Rock);
    EXPECT_TRUE(feedback.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Kind, SaveTest, ::testing::Values("mp3", "str"));

TEST_F(FileTagTest, ReadOnlyMp3IsMadeWritableButAStreamIsNot)
{
    const QString mp3 = LameMp3(folder.path(), S("locked.mp3"));
    const QString stream = path(S("locked.str"));
    WriteFile(stream, ReadFile(mp3));
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    QFile::setPermissions(mp3, readOnly);
    QFile::setPermissions(stream, readOnly);
    const FileTagFields fields = Fields(S("Title"), {}, {}, {}, {});

    EXPECT_EQ(editor.saveFileTags(mp3, fields), FileTagEditor::SaveResult::Saved);
    EXPECT_TRUE(QFile::permissions(mp3) & QFileDevice::WriteOwner);

    // Only root writes into a read-only file as it stands.
    const FileTagEditor::SaveResult streamResult = editor.saveFileTags(stream, fields);
    EXPECT_FALSE(QFile::permissions(stream) & QFileDevice::WriteOwner);
    if (::geteuid() == 0) {
        EXPECT_EQ(streamResult, FileTagEditor::SaveResult::Saved);
    } else {
        EXPECT_EQ(streamResult, FileTagEditor::SaveResult::Failed);
        EXPECT_EQ(feedback.messages.size(), 1);
    }
}

// Files the save cannot reach are reported and never created.
class SaveFailureTest : public FileTagTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(SaveFailureTest, IsReported)
{
    const QString file = path(S(GetParam()));
    if (file.contains(u"folder")) {
        ASSERT_TRUE(QDir().mkdir(file));
    }

    EXPECT_EQ(editor.saveFileTags(file, Fields(S("Title"), {}, {}, {}, {})), FileTagEditor::SaveResult::Failed);
    ASSERT_EQ(feedback.messages.size(), 1);
    EXPECT_TRUE(feedback.messages[0].text.contains(file));
    EXPECT_FALSE(QFileInfo(file).isFile());
}

INSTANTIATE_TEST_SUITE_P(Unreachable, SaveFailureTest,
                         ::testing::Values("gone.mp3", "gone.str", "folder.mp3", "folder.str"));

// A folder every user can look into, holding files of the user running the tests.
class PermissionTest : public FileTagTest {
protected:
    void SetUp() override
    {
        if (::geteuid() != 0)
            GTEST_SKIP() << "making a file of another user needs root";
        QFile::setPermissions(folder.path(), QFile::permissions(folder.path()) | QFileDevice::ReadGroup
                                                 | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                                 | QFileDevice::ExeOther);
    }
};

TEST_F(PermissionTest, AnotherUsersMp3IsRefusedWithMsg12)
{
    const QString mp3 = LameMp3(folder.path(), S("theirs.mp3"));
    const QByteArray before = ReadFile(mp3);
    FileTagEditor::SaveResult result = FileTagEditor::SaveResult::Saved;
    {
        const AsNobody nobody;
        ASSERT_TRUE(nobody.switched());
        ASSERT_TRUE(QFileInfo::exists(mp3));
        result = editor.saveFileTags(mp3, Fields(S("Title"), {}, {}, {}, {}));
    }

    EXPECT_EQ(result, FileTagEditor::SaveResult::NotPermitted);
    ASSERT_EQ(feedback.messages.size(), 1);
    EXPECT_EQ(feedback.messages[0].text, S("<msg12>"));
    EXPECT_EQ(ReadFile(mp3), before);
}

TEST_F(PermissionTest, OnlyTheOwnerOrWhatIsWritableForAllMayBeChanged)
{
    const QString forAll = path(S("shared.mp3"));
    const QString own = path(S("own.mp3"));
    WriteFile(forAll, "audio");
    WriteFile(own, "audio");
    QFile::setPermissions(forAll, QFile::permissions(forAll) | QFileDevice::WriteGroup | QFileDevice::WriteOther);
    QFile::setPermissions(own, QFileDevice::ReadOwner);
    EXPECT_TRUE(UserMayModifyFile(own));
    EXPECT_FALSE(UserMayModifyFile(path(S("missing.mp3"))));

    const AsNobody nobody;
    ASSERT_TRUE(nobody.switched());
    EXPECT_TRUE(UserMayModifyFile(forAll));
    EXPECT_FALSE(UserMayModifyFile(own));
}

}  // namespace
}  // namespace sonorelle
