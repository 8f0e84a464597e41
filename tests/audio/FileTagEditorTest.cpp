#include "audio/FileTagReader.h"
#include "audio/FileTagTestSupport.h"
#include "audio/ID3v2Bytes.h"
#include "platform/CodePage.h"
#include "platform/FileAccess.h"
#include "support/AsNobody.h"
#include "support/Mp3Files.h"
#include "support/NamedRows.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <array>
#include <functional>

#include <unistd.h>

namespace sonorelle {
namespace {

using test::PrintTo;
using namespace sonorelle::test;

// The five fields the file must show; fromId3v2 says they came from the ID3v2 tag, so
// that the four ID3v2 values hold the same texts (else they stay empty).
struct ReadCase {
    const char* name;
    std::function<QString(const QString& folder)> makeMp3;
    std::array<const char*, 5> fields;
    bool fromId3v2;
};

QString LameId3v2(const QString& folder)
{
    return LameMp3(folder, S("v2.mp3"),
                   Args({"--id3v2-only", "--id3v2-latin1", "--tt", "Lame Title", "--ta", "Lame Artist", "--tl",
                         "Lame Album", "--ty", "2002"}));
}

const ReadCase ReadCases[] = {
    {"Id3v24Utf8ByMid3v2",
     [](const QString& folder) {
         const QString mp3 = LameMp3(folder, S("v24.mp3"));
         RunTool(S("mid3v2"), Args({"-t", "東京 Nights", "-a", "Ärtist", "-A", "Album", "-y", "2004-05-06"}) << mp3);
         return mp3;
     },
     {"東京 Nights", "Ärtist", "Album", "2004", ""}, true},
    {"BothTagsShowOnlyId3v1",
     [](const QString& folder) {
         const QString mp3 = LameId3v2(folder);
         RunTool(S("id3v2"), Args({"-1", "-t", "V1 Title"}) << mp3);
         return mp3;
     },
     {"V1 Title", "", "", "", ""}, false},
    {"BlankId3v1OverId3v2",
     [](const QString& folder) {
         const QString mp3 = LameId3v2(folder);
         AppendToFile(mp3, "TAG" + QByteArray(30, ' ') + QByteArray(30, '\0') + QByteArray(30, ' ')
                               + QByteArray(4, '\0') + QByteArray(30, ' ') + '\x0c');
         return mp3;
     },
     {"Lame Title", "Lame Artist", "Lame Album", "2002", ""}, true},
    {"DeclaredSizePastTheEnd",
     [](const QString& folder) {
         const QString mp3 = LameId3v2(folder);
         QByteArray bytes = ReadFile(mp3);
         bytes.replace(6, 4, Syncsafe32(quint32(bytes.size() - 9)));
         WriteFile(mp3, bytes);
         return mp3;
     },
     {"", "", "", "", ""}, false},
};

class Mp3ReadTest : public FileTagTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(Mp3ReadTest, ShowsTheTagsOfTheFile)
{
    const QString mp3 = GetParam().makeMp3(folder.path());
    ASSERT_FALSE(HasFatalFailure());
    const QString stale = S("stale");
    id3 = Id3Values{stale, stale, stale, stale, stale};
    const auto [title, artist, album, year, comment] = GetParam().fields;

    EXPECT_EQ(editor.readFileTags(mp3), Fields(S(title), S(artist), S(album), S(year), S(comment)));
    const QStringList id3v2{id3.Id3Title, id3.Id3Artist, id3.Id3Album, id3.Id3Year};
    const QStringList shown{S(title), S(artist), S(album), S(year)};
    EXPECT_EQ(id3v2, GetParam().fromId3v2 ? shown : QStringList(4));
    EXPECT_TRUE(feedback.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Mp3, Mp3ReadTest, ::testing::ValuesIn(ReadCases), CaseName<ReadCase>);

// Files of 130 bytes or fewer are not read at all, whatever they hold.
TEST_F(FileTagTest, SmallMp3IsReadFrom131BytesOn)
{
    const QByteArray tag = ID3v2Tag(3, V3Frame("TIT2", Latin1Text("Small")));
    const FileTagFields kept = Fields(S("kept"), S("kept"), S("kept"), S("kept"), S("kept"));
    for (const int size : {130, 131}) {
        WriteFile(path(S("small.mp3")), tag + QByteArray(size - tag.size(), '\0'));
        FileTagFields fields = kept;
        GetMp3Info(path(S("small.mp3")), fields, id3, CodePage());
        EXPECT_EQ(fields, size == 130 ? kept : Fields(S("Small"), QString(), QString(), QString(), QString())) << size;
    }
}

// A stream shows its record; one without a record shows nothing.
TEST_F(FileTagTest, StreamsShowTheirRecord)
{
    WriteFile(path(S("song.asf")), QByteArray(500, 'a')
                                       + *TagRecord::forSlot(S("Stream"), S("Artist"), S("Album"), S("2020"), S("Note"))
                                             .toBytes(shared.TagCodePage));
    WriteFile(path(S("plain.str")), QByteArray(500, 'a'));

    EXPECT_EQ(editor.readFileTags(path(S("song.asf"))), Fields(S("Stream"), S("Artist"), S("Album"), S("2020"), S("Note")));
    EXPECT_EQ(StrTg.StrTitle.trimmed(), S("Stream"));
    EXPECT_EQ(editor.readFileTags(path(S("plain.str"))), FileTagFields());
    EXPECT_TRUE(feedback.messages.isEmpty());
}

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
    EXPECT_EQ(saved.left(saved.size() - 128), audio);
    EXPECT_EQ(saved.right(128),
              Record("A title of thirty-five characte", "Artist", "Album", "2021", "Comment", NoGenre));
    // A genre another program gave the file survives, though the fields do not show it.
    saved.back() = Rock;
    WriteFile(file, saved);

    const FileTagFields second = Fields(S("Grüße"), QString(), QString(), S("1999"), QString());
    ASSERT_EQ(editor.saveFileTags(file, second), FileTagEditor::SaveResult::Saved);
    saved = ReadFile(file);
    EXPECT_EQ(saved.left(saved.size() - 128), audio);
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
