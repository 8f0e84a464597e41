#include "audio/FileTagReader.h"
#include "audio/FileTagTestSupport.h"
#include "audio/ID3v2Bytes.h"
#include "platform/CodePage.h"
#include "support/Mp3Files.h"
#include "support/NamedRows.h"

#include <array>
#include <functional>

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

}  // namespace
}  // namespace sonorelle
