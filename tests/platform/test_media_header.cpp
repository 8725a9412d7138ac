// Lengths, tags and covers from the headers of a file of each type ffmpeg can make here, and the
// pool that reads many of them off the GUI thread.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QThread>

#include "MediaFiles.h"
#include "platform/MediaHeader.h"
#include "platform/MediaInfoReader.h"

namespace {

struct Sample {
    const char* name;
    QStringList encoding;  // after the inputs (a 2 s tone, and a 2 s picture for video)
    bool video = false;
    bool tagged = true;  // the container keeps title, artist and album
};

const QList<Sample>& samples() {
    static const QList<Sample> table = {
        {"a.flac", {"-c:a", "flac"}},
        {"a.ogg", {"-c:a", "libvorbis"}},
        {"a.oga", {"-c:a", "libvorbis", "-f", "ogg"}},
        {"a.opus", {"-c:a", "libopus"}},
        {"a.m4a", {"-c:a", "aac"}},
        {"a.wav", {"-c:a", "pcm_s16le"}, false, false},
        {"a.wma", {"-c:a", "wmav2", "-f", "asf"}},
        {"a.wv", {"-c:a", "wavpack"}},
        {"a.mka", {"-c:a", "libvorbis"}},
        {"cbr-without-header.mp3", {"-c:a", "libmp3lame", "-b:a", "128k", "-write_xing", "0"}},
        {"v.mkv", {"-c:v", "libx264", "-c:a", "libvorbis"}, true},
        {"v.mp4", {"-c:v", "libx264", "-c:a", "aac"}, true},
        {"v.m4v", {"-c:v", "libx264", "-c:a", "aac", "-f", "mp4"}, true},
        {"v.webm", {"-c:v", "libvpx", "-c:a", "libvorbis"}, true},
        {"v.mov", {"-c:v", "libx264", "-c:a", "aac"}, true},
        {"v.ogv", {"-c:v", "libtheora", "-c:a", "libvorbis"}, true},
        {"v.ts", {"-c:v", "mpeg2video", "-c:a", "mp2", "-f", "mpegts"}, true, false},
        {"v.m2ts",
         {"-c:v", "libx264", "-c:a", "aac", "-f", "mpegts", "-mpegts_m2ts_mode", "1"},
         true,
         false},
        {"v.3gp", {"-c:v", "h263", "-s", "176x144", "-c:a", "aac"}, true, false},
        {"v.flv", {"-c:v", "flv1", "-c:a", "libmp3lame", "-ar", "44100"}, true},
        {"v.vob", {"-c:v", "mpeg2video", "-c:a", "mp2", "-f", "vob"}, true, false},
    };
    return table;
}

// The long-standing types, as the other tests make them (untagged).
const QStringList kOldTypes = {"clip.mp3", "clip.avi", "clip.mpg",
                               "clip.dat", "clip.wmv", "clip.asf"};

class Headers : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        media = new MediaFiles;
        const QStringList tone = {"-f", "lavfi", "-i", "sine=frequency=440:duration=2"};
        const QStringList picture = {"-f", "lavfi", "-i",
                                     "testsrc=size=176x144:rate=25:duration=2"};
        const QStringList tags = {"-metadata",   "title=Tone", "-metadata",
                                  "artist=Band", "-metadata",  "album=Record"};
        for (const Sample& s : samples())
            made[s.name] =
                media->Make(s.name, (s.video ? picture : QStringList()) + tone + s.encoding + tags);
        made["cover.mp3"] = media->Make(
            "cover.mp3", tone +
                             QStringList{"-f", "lavfi", "-i", "color=red:size=32x32:d=1", "-map",
                                         "0", "-map", "1", "-c:a", "libmp3lame", "-c:v", "png",
                                         "-frames:v", "1", "-disposition:v", "attached_pic"} +
                             tags);
        for (const char* copy : {"same-cover.mp3", "track1.mp3", "track2.mp3", "track3.mp3"})
            made[copy] = QFile::copy(media->Path("cover.mp3"), media->Path(copy));
    }
    static void TearDownTestSuite() { delete media; }

    static inline MediaFiles* media = nullptr;
    static inline QHash<QString, bool> made;
    QTemporaryDir cache;
};

}  // namespace

TEST_F(Headers, EveryTypeFfmpegMakesHereHasItsLengthAndTagsFromItsHeaders) {
    ASSERT_TRUE(media->Ok());
    for (const Sample& s : samples()) {
        SCOPED_TRACE(s.name);
        ASSERT_TRUE(made.value(s.name)) << "ffmpeg could not make it";
        const MediaInfo info = MediaHeader::Read(media->Path(s.name), cache.path());
        EXPECT_NEAR(info.milliseconds, 2000, 150);
        if (s.tagged) {
            EXPECT_EQ(QStringList({info.title, info.artist, info.album}),
                      QStringList({"Tone", "Band", "Record"}));
        }
        EXPECT_TRUE(info.cover.isEmpty());
    }
    for (const QString& name : kOldTypes) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_NEAR(MediaHeader::Read(media->Path(name), cache.path()).milliseconds, 2000, 150);
    }
}

TEST_F(Headers, WhatHasNoHeadersHasNoLength) {
    QFile fake(media->Path("text.mp3"));
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
    fake.write("not a song at all\n");
    fake.close();
    for (const QString& path : {media->Path("corrupt.avi"), media->Path("text.mp3"),
                                media->Path("missing.flac"), QString("http://127.0.0.1:1/a.mp3")}) {
        const MediaInfo info = MediaHeader::Read(path, cache.path());
        EXPECT_EQ(info.milliseconds, -1) << path.toStdString();
        EXPECT_EQ(info.path, path);
    }
}

TEST_F(Headers, AnEmbeddedCoverIsWrittenOnceIntoTheUsersCacheAndAFolderPictureIsNamed) {
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
    const QString folder = MediaHeader::DefaultCoverFolder();
    EXPECT_EQ(folder, cache.path() + "/solvane");
    const QString first = MediaHeader::Read(media->Path("cover.mp3"), folder).cover;
    ASSERT_TRUE(first.startsWith(folder + '/')) << first.toStdString();
    EXPECT_TRUE(first.endsWith(".png"));
    const QDateTime written = QFileInfo(first).lastModified();
    QThread::msleep(20);
    EXPECT_EQ(MediaHeader::Read(media->Path("same-cover.mp3"), folder).cover, first);
    EXPECT_EQ(QFileInfo(first).lastModified(), written) << "written once";
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 1);

    QTemporaryDir album;
    QFile::copy(media->Path("a.flac"), album.filePath("01.flac"));
    QFile picture(album.filePath("folder.jpg"));
    ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
    EXPECT_EQ(MediaHeader::Read(album.filePath("01.flac"), folder).cover,
              album.filePath("folder.jpg"));
}

TEST_F(Headers, ThePoolReadsOffTheGuiThreadAndAnnouncesEveryResultInIt) {
    MediaInfoReader reader(nullptr, cache.path());
    QStringList paths;
    for (const Sample& s : samples()) paths << media->Path(s.name);
    paths << media->Path("corrupt.avi");
    const QStringList album = {media->Path("track1.mp3"), media->Path("track2.mp3"),
                               media->Path("track3.mp3")};
    paths << album;
    QHash<QString, qint64> lengths;
    QSet<QString> covers;
    bool elsewhere = false;
    QObject::connect(&reader, &MediaInfoReader::Read, [&](const MediaInfo& info) {
        elsewhere = elsewhere || QThread::currentThread() != qApp->thread();
        lengths.insert(info.path, info.milliseconds);
        if (album.contains(info.path))
            covers.insert(info.cover);
    });
    reader.Request(paths);
    ASSERT_TRUE(WaitFor([&] { return lengths.size() == paths.size(); }, 30000));
    EXPECT_FALSE(elsewhere);
    ASSERT_EQ(covers.size(), 1) << "the tracks read at once share one cover file";
    EXPECT_FALSE(covers.begin()->isEmpty());
    for (const QString& path : paths)
        EXPECT_EQ(lengths.value(path), MediaHeader::Read(path, cache.path()).milliseconds);

    lengths.clear();
    reader.Request(paths);
    reader.Cancel();
    reader.WaitForReads();
    WaitFor([] { return false; }, 100);
    EXPECT_TRUE(lengths.isEmpty()) << "nothing asked before a cancel arrives";
}
