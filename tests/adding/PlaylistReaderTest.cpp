#include "adding/clsM3UReader.h"
#include "support/FileBytes.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sonorelle {
namespace {

using Entries = std::vector<std::string>;

// A Wine prefix whose C: holds Music/Song.mp3, and a folder for the playlists. In
// expected paths, "L" stands for the playlists' folder, "C" for drive_c and "R" for
// the folder that holds both.
class PlaylistReaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::WriteFile(prefix() + QStringLiteral("/drive_c/Music/Song.mp3"), "song");
        QDir().mkpath(prefix() + QStringLiteral("/dosdevices"));
        ASSERT_TRUE(QFile::link(QStringLiteral("../drive_c"), prefix() + QStringLiteral("/dosdevices/c:")));
    }

    QString prefix() const { return root_.path() + QStringLiteral("/prefix"); }
    QString lists() const { return root_.path() + QStringLiteral("/Lists"); }

    // Writes the playlist and reads it; each entry as "title|file|seconds".
    Entries read(clsM3UReader& reader, const QString& name, const QByteArray& bytes) const
    {
        test::WriteFile(lists() + u'/' + name, bytes);
        reader.setFilename(lists() + u'/' + name);
        Entries entries;
        for (int i = 0, count = reader.Refresh(); i < count; ++i) {
            QString file = reader.File(i);
            file.replace(lists(), QStringLiteral("L"))
                .replace(prefix() + QStringLiteral("/drive_c"), QStringLiteral("C"))
                .replace(root_.path(), QStringLiteral("R"));
            entries.push_back(QStringLiteral("%1|%2|%3").arg(reader.FileTitle(i), file).arg(reader.FileSeconds(i)).toStdString());
        }
        return entries;
    }

    QTemporaryDir root_;
};

struct PlaylistCase {
    const char* what;
    const char* name;
    QByteArray bytes;
    Entries entries;
};

TEST_F(PlaylistReaderTest, ReadsEveryFormatAndPathKind)
{
    const PlaylistCase cases[] = {
        {"extended entry, relative Windows path", "a.m3u", "#EXTM3U\n#EXTINF:215,Artist - Song\nMusic\\song.mp3\n",
         {"Artist - Song|L/Music/song.mp3|215"}},
        {"drive letter through the prefix, case as on disk", "a.m3u", "C:\\music\\SONG.mp3",
         {"C:\\music\\SONG.mp3|C/Music/Song.mp3|0"}},
        {"plain paths", "a.m3u", "a.mp3\n/abs/b.mp3\n\\x.mp3\n",
         {"a.mp3|L/a.mp3|0", "/abs/b.mp3|/abs/b.mp3|0", "\\x.mp3|L/x.mp3|0"}},
        {"lower-case header, CRLF, halves to even, parent folder", "a.m3u",
         "#extm3u\r\n#EXTINF:12.5,Half\r\n..\\up.mp3\r\n#EXTINF: 13.5 s,Odd\r\nb.mp3\r\n",
         {"Half|R/up.mp3|12", "Odd|L/b.mp3|14"}},
        {"blank and comment lines, trailing #EXTINF", "a.m3u",
         "#EXTM3U\n\n#EXTGRP:Rock\n#PLAYLIST:x\n#EXTINF:-1,Radio\n#EXTVLCOPT:a=b\nhttp://host/stream\n  \n#EXTINF:9,gone\n",
         {"Radio|http://host/stream|-1"}},
        {"#EXTINF without ',' or with ':' after it", "a.m3u", "#EXTINF 5 no comma\nx.mp3\n#EXTINF,t:1\ny.mp3",
         {"#EXTINF 5 no comma|L/x.mp3|0", "t:1|L/y.mp3|0"}},
        {"file URIs", "a.m3u", "file:///music/a%20b.mp3\nfile://localhost/m/%C3%A9.mp3\nfile:///C:/MUSIC/song.mp3\n",
         {"file:///music/a%20b.mp3|/music/a b.mp3|0", "file://localhost/m/%C3%A9.mp3|/m/\xC3\xA9.mp3|0",
          "file:///C:/MUSIC/song.mp3|C/Music/Song.mp3|0"}},
        {"UTF-8 with a byte order mark", "a.m3u", "\xEF\xBB\xBF#EXTINF:1,Caf\xC3\xA9\nc.mp3", {"Caf\xC3\xA9|L/c.mp3|1"}},
        {".m3u8 is UTF-8 even when broken", "a.m3u8", "#EXTINF:1,Caf\xE9\nc.mp3", {"Caf\xEF\xBF\xBD|L/c.mp3|1"}},
        {"UTF-16 with a byte order mark", "a.m3u", QByteArray("\xFF\xFEx\0.\0m\0p\0\x33\0", 12), {"x.mp3|L/x.mp3|0"}},
        {"PLS saved as .m3u, in key order", "a.m3u",
         "\n[Playlist]\nFile2=b.mp3\nTitle2=Bee\nFile1=C:\\Music\\Song.mp3\nLength1=215\nTitle7=no file\nNumberOfEntries=9\n",
         {"C:\\Music\\Song.mp3|C/Music/Song.mp3|215", "Bee|L/b.mp3|0"}},
        {"XSPF", "a.xspf",
         "<?xml version=\"1.0\"?><playlist version=\"1\" xmlns=\"http://xspf.org/ns/0/\"><title>List</title><trackList>"
         "<track><location>file:///m/a%20b.mp3</location><title>Song</title><creator>Artist</creator>"
         "<duration>215500</duration><extension application=\"x\"><title>not this</title></extension></track>"
         "<track><title>No location</title></track>"
         "<track><location>sub/c%20d.mp3</location><duration>214500</duration></track></trackList></playlist>",
         {"Artist - Song|/m/a b.mp3|216", "sub/c%20d.mp3|L/sub/c d.mp3|214"}},
        {"XSPF broken off keeps the tracks before", "a.m3u",
         "<playlist><trackList><track><location>/a.mp3</location></track><track><location>/b",
         {"/a.mp3|/a.mp3|0"}},
    };
    for (const PlaylistCase& c : cases) {
        clsM3UReader reader(prefix());
        EXPECT_EQ(read(reader, QString::fromLatin1(c.name), c.bytes), c.entries) << c.what;
    }
}

TEST_F(PlaylistReaderTest, CountsEveryEntryAndForgetsThemWhenTheFileIsGone)
{
    QByteArray bytes = "#EXTM3U\n";
    for (int i = 0; i < 251; ++i)
        bytes += "#EXTINF:" + QByteArray::number(i) + ",Song " + QByteArray::number(i) + "\n" + QByteArray::number(i) + ".mp3\n";
    clsM3UReader reader(prefix());
    EXPECT_EQ(read(reader, QStringLiteral("big.m3u"), bytes).back(), "Song 250|L/250.mp3|250");
    EXPECT_EQ(reader.Count(), 251);

    // A file that is gone leaves no entries of the one read before, and says why.
    reader.setFilename(lists() + QStringLiteral("/missing.m3u"));
    EXPECT_EQ(reader.Refresh(), 0);
    EXPECT_EQ(reader.File(0), QString());
    EXPECT_FALSE(reader.ReadError().isEmpty());
}

TEST_F(PlaylistReaderTest, TextThatIsNotUtf8GoesThroughTheGivenDecoder)
{
    clsM3UReader reader(prefix(), [](QByteArrayView bytes) { return QString::fromLatin1(bytes).replace(u'\xE9', u'\x0439'); });
    EXPECT_EQ(read(reader, QStringLiteral("a.m3u"), "#EXTINF:1,Caf\xE9\nc.mp3"), Entries{"Caf\xD0\xB9|L/c.mp3|1"});
    EXPECT_EQ(read(reader, QStringLiteral("b.m3u"), "#EXTINF:1,Caf\xC3\xA9\nc.mp3"), Entries{"Caf\xC3\xA9|L/c.mp3|1"});
}

}  // namespace
}  // namespace sonorelle
