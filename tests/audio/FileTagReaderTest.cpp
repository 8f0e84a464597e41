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

constexpr std::array<const char*, 5> LameFields = {"Lame Title", "Lame Artist", "Lame Album", "2002", ""};

QString MutagenId3v23(const QString& folder, const char* frames)
{
    const QString mp3 = LameMp3(folder, S("mutagen.mp3"));
    Mutagen(mp3, S("tags = ID3()\n") + S(frames) + S("tags.save(path, v2_version=3, v1=0)\n"));
    return mp3;
}

// Version 2.2 is written by no tool at hand, so its tag is put before lame's audio by hand.
QString Id3v22(const QString& folder, const QByteArray& frames)
{
    const QString mp3 = LameMp3(folder, S("v22.mp3"));
    WriteFile(mp3, ID3v2Tag(2, frames) + ReadFile(mp3));
    return mp3;
}

QString Patched(const QString& mp3, const std::function<void(QByteArray&)>& patch)
{
    QByteArray bytes = ReadFile(mp3);
    patch(bytes);
    WriteFile(mp3, bytes);
    return mp3;
}

const QByteArray Long(298, 'x');

const ReadCase ReadCases[] = {
    {"Id3v1Only",
     [](const QString& folder) {
         return LameMp3(folder, S("v1.mp3"),
                        Args({"--id3v1-only", "--tt", "V1 Title", "--ta", "V1 Artist", "--tl", "V1 Album", "--ty",
                              "1998", "--tc", "V1 Comment"}));
     },
     {"V1 Title", "V1 Artist", "V1 Album", "1998", "V1 Comment"}, false},
    {"Id3v24Utf8ByMid3v2",
     [](const QString& folder) {
         const QString mp3 = LameMp3(folder, S("v24.mp3"));
         RunTool(S("mid3v2"), Args({"-t", "東京 Nights", "-a", "Ärtist", "-A", "Album", "-y", "2004-05-06"}) << mp3);
         return mp3;
     },
     {"東京 Nights", "Ärtist", "Album", "2004", ""}, true},
    {"Id3v24RecordingTimeByMid3v2",
     [](const QString& folder) {
         const QString mp3 = LameMp3(folder, S("tdrc.mp3"));
         RunTool(S("mid3v2"), Args({"--TYER", "1990", "--TDRC", "2015-03-01", "-t", "Dated"}) << mp3);
         return mp3;
     },
     {"Dated", "", "", "1990", ""}, true},
    {"Id3v22LeadPerformer",
     [](const QString& folder) {
         return Id3v22(folder, V2Frame("TT2", Latin1Text("Title 22")) + V2Frame("TOA", Latin1Text("Original"))
                                   + V2Frame("TP1", Latin1Text("Lead")) + V2Frame("TAL", Latin1Text("Album 22"))
                                   + V2Frame("TYE", Latin1Text("1987")));
     },
     {"Title 22", "Lead", "Album 22", "1987", ""}, true},
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
     LameFields, true},
    {"DeclaredSizePastTheEnd",
     [](const QString& folder) {
         return Patched(LameId3v2(folder),
                        [](QByteArray& bytes) { bytes.replace(6, 4, Syncsafe32(quint32(bytes.size() - 9))); });
     },
     {"", "", "", "", ""}, false},
    {"FrameOf300Bytes",
     [](const QString& folder) {
         const QString mp3 = MutagenId3v23(folder, "tags.add(TIT2(encoding=0, text='x' * 298))\n");
         EXPECT_TRUE(ReadFile(mp3).contains(QByteArray("TIT2\0\0\x01\x2C", 8)));
         return mp3;
     },
     {Long.constData(), "", "", "", ""}, true},
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
    const Id3Values expected = GetParam().fromId3v2 ? Id3Values{S(title), S(artist), S(album), S(year), S(comment)} : Id3Values{};
    EXPECT_EQ(id3.Id3Title, expected.Id3Title);
    EXPECT_EQ(id3.Id3Artist, expected.Id3Artist);
    EXPECT_EQ(id3.Id3Album, expected.Id3Album);
    EXPECT_EQ(id3.Id3Year, expected.Id3Year);
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

// A stream shows its record; one without a record and any other kind of file show nothing.
TEST_F(FileTagTest, StreamsShowTheirRecordAndOtherFilesShowNothing)
{
    WriteFile(path(S("song.asf")), QByteArray(500, 'a')
                                       + *TagRecord::forSlot(S("Stream"), S("Artist"), S("Album"), S("2020"), S("Note"))
                                             .toBytes(shared.TagCodePage));
    WriteFile(path(S("plain.str")), QByteArray(500, 'a'));
    WriteFile(path(S("tone.wav")),
              QByteArray(500, 'a') + *TagRecord::forSlot(S("Hidden"), {}, {}, {}, {}).toBytes(shared.TagCodePage));

    EXPECT_EQ(editor.readFileTags(path(S("song.asf"))), Fields(S("Stream"), S("Artist"), S("Album"), S("2020"), S("Note")));
    EXPECT_EQ(StrTg.StrTitle.trimmed(), S("Stream"));
    EXPECT_EQ(editor.readFileTags(path(S("plain.str"))), FileTagFields());
    id3 = Id3Values{S("stale"), S("stale"), S("stale"), S("stale"), S("stale")};
    EXPECT_EQ(editor.readFileTags(path(S("tone.wav"))), FileTagFields());
    EXPECT_EQ(id3.Id3Title, QString());
    EXPECT_EQ(id3.Id3Year, QString());
    EXPECT_TRUE(feedback.messages.isEmpty());
}

TEST_F(FileTagTest, StreamTooShortForARecordIsReportedByName)
{
    WriteFile(path(S("short.str")), QByteArray(100, 'T'));

    EXPECT_EQ(editor.readFileTags(path(S("short.str"))), FileTagFields());
    ASSERT_EQ(feedback.messages.size(), 1);
    EXPECT_EQ(feedback.messages[0].text, S("<msg9_1>short.str<msg9_3>"));
    EXPECT_EQ(feedback.messages[0].caption, S("<msgcap1>"));
    EXPECT_EQ(feedback.messages[0].icon, MessageIcon::Critical);
}

}  // namespace
}  // namespace sonorelle
