// Lists of other players: M3U and M3U8 read and written, PLS read, in the layouts other players
// write them.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "playlist/ForeignPlaylist.h"
#include "playlist/M3uPlaylist.h"

// Readable failures: the entry's three fields.
void PrintTo(const PlaylistEntry& entry, std::ostream* out) {
    *out << '{' << entry.path.toStdString() << ", " << entry.name.toStdString() << ", "
         << entry.seconds << '}';
}

namespace {

class ForeignLists : public ::testing::Test {
  protected:
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    PlaylistEntries read(const QString& path) {
        PlaylistEntries entries;
        QString error;
        EXPECT_TRUE(ForeignPlaylist::Read(path, &entries, &error)) << error.toStdString();
        return entries;
    }
    QString at(const QString& relative) const { return dir.filePath(relative); }

    QTemporaryDir dir;
};

}  // namespace

TEST_F(ForeignLists, AnM3u8WrittenIsExtendedUtf8AndReadsBackTheSame) {
    const PlaylistEntries entries = {
        {at("Música/01 Ça va, oui.flac"), "Ça va, oui", 215},
        {"/films/clip.mkv", "clip", -1},
        {"https://radio.example.org/live.mp3?x=1", "Live, on air", -1},
        {"/odd/two\nlines 100%.mp3", "two lines", -1},  // a line break is legal in a name
    };
    const QString path = at("lists/mine.m3u8");
    QDir().mkpath(at("lists"));
    ASSERT_EQ(M3uPlaylist::Write(path, entries), std::nullopt);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(
        bytes.startsWith("#EXTM3U\n#EXTINF:215,\xC3\x87"
                         "a va, oui\n/"))
        << bytes.data();
    EXPECT_TRUE(bytes.contains("\n#EXTINF:-1,clip\n/films/clip.mkv\n"));
    EXPECT_EQ(read(path), entries);
    EXPECT_EQ(QDir(at("lists")).entryList(QDir::Files), QStringList{"mine.m3u8"});
}

TEST_F(ForeignLists, AnM3uFromAnotherPlayerInWindows1252WithRelativePathsAndStreams) {
    const QString path = write("Music/Mix/party.M3U",
                               "#EXTM3U\r\n"
                               "# made elsewhere\r\n"
                               "\r\n"
                               "#EXTINF:183,Beyonc\xE9 \x96 Song\r\n"
                               "..\\Albums\\One\\01 Song.mp3\r\n"
                               "#EXTINF:-1 tvg-name=\"a,b\",Radio\r\n"
                               "http://127.0.0.1:8000/stream\r\n"
                               "Caf\xE9.ogg\r\n"
                               "  /abs/track.opus  \r\n"
                               "file:///abs/with%20space.flac\r\n"
                               "file:///abs/sub\\x.ogg\r\n"
                               "file:relative.mp3\r\n"
                               "rtsp://camera.example/feed\r\n");
    EXPECT_EQ(read(path),
              (PlaylistEntries{
                  {at("Music/Albums/One/01 Song.mp3"), QString::fromUtf8("Beyoncé – Song"), 183},
                  {"http://127.0.0.1:8000/stream", "Radio", -1},
                  {at(QString::fromUtf8("Music/Mix/Café.ogg")), "", -1},
                  {"/abs/track.opus", "", -1},
                  {"/abs/with space.flac", "", -1},
                  {"/abs/sub/x.ogg", "", -1},
              }));
}

TEST_F(ForeignLists, APlsFromAnotherPlayerInTheOrderOfItsNumbers) {
    const QString path = write("radio/stations.pls",
                               "[playlist]\n"
                               "NumberOfEntries=3\n"
                               "File10=https://example.org/ten.ogg\n"
                               "Title10=Ten\n"
                               "File2=songs\\two.mp3\n"
                               "Length2=241\n"
                               "file1=/abs/one.flac\r\n"
                               "Title1=One = first\r\n"
                               "Length1=-1\r\n"
                               "Title7=no file, no entry\n"
                               "Version=2\n");
    EXPECT_EQ(read(path), (PlaylistEntries{
                              {"/abs/one.flac", "One = first", -1},
                              {at("radio/songs/two.mp3"), "", 241},
                              {"https://example.org/ten.ogg", "Ten", -1},
                          }));
}

TEST_F(ForeignLists, AMissingListIsAnErrorAndOtherNamesAreNotForeign) {
    PlaylistEntries entries;
    QString error;
    EXPECT_FALSE(ForeignPlaylist::Read(at("none.m3u"), &entries, &error));
    EXPECT_FALSE(error.isEmpty());
    for (const char* name : {"a.M3U", "b.m3u8", "c.PLS"})
        EXPECT_TRUE(ForeignPlaylist::Handles(name));
    for (const char* name : {"a.slv", "b.m3u.txt", "pls"})
        EXPECT_FALSE(ForeignPlaylist::Handles(name));
}
