// A library of 10,000 small tagged files in 1,000 nested folders: the folder scan against a plain
// walk with natural sorting, and every length read by the reader's pool against a plain loop of
// the same library in one thread. Prints the ratios, and while both run together the longest
// time the event loop did not turn and the memory the results take.
#include <unistd.h>
#include <QCoreApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>

#include "platform/AvFormatLibrary.h"
#include "platform/MediaHeader.h"
#include "platform/MediaInfoReader.h"
#include "playlist/FolderScan.h"
#include "playlist/NaturalOrder.h"

namespace {

constexpr int kFanOut = 10;  // 10 x 10 x 10 leaf folders of 10 files each
constexpr int kRuns = 5;

bool ffmpeg(const QStringList& arguments) {
    QProcess process;
    process.start("ffmpeg", QStringList{"-y", "-loglevel", "error", "-f", "lavfi", "-i",
                                        "sine=frequency=440:duration=1", "-metadata", "title=Song",
                                        "-metadata", "artist=Band", "-metadata", "album=Record"} +
                                arguments);
    return process.waitForFinished(60000) && process.exitCode() == 0;
}

// Small tagged files of five types, copied round the tree.
QStringList makeTree(const QString& root) {
    const QList<QStringList> templates = {{"-c:a", "libmp3lame", "-b:a", "32k", "t.mp3"},
                                          {"-c:a", "flac", "-ar", "8000", "t.flac"},
                                          {"-c:a", "libvorbis", "-ar", "8000", "t.ogg"},
                                          {"-c:a", "aac", "-b:a", "24k", "t.m4a"},
                                          {"-c:a", "libopus", "-b:a", "16k", "t.opus"}};
    QStringList made;
    for (QStringList arguments : templates) {
        arguments.last() = root + '/' + arguments.last();
        if (!ffmpeg(arguments))
            return {};
        made << arguments.last();
    }
    QStringList files;
    for (int i = 0; i < kFanOut * kFanOut * kFanOut * 10; ++i) {
        const int leaf = i / 10;
        const QString folder = QStringLiteral("%1/Artist %2/Album %3/Disc %4")
                                   .arg(root)
                                   .arg(leaf / 100 + 1)
                                   .arg(leaf / 10 % 10 + 1)
                                   .arg(leaf % 10 + 1);
        QDir().mkpath(folder);
        const QString source = made.at(i % made.size());
        const QString file = QStringLiteral("%1/%2 Track.%3")
                                 .arg(folder)
                                 .arg(i % 10 + 1)
                                 .arg(QFileInfo(source).suffix());
        QFile::copy(source, file);
        files << file;
    }
    for (const QString& file : made) QFile::remove(file);
    return files;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double timeMs(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

void runUntil(const std::function<bool()>& done) {
    while (!done()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

QStringList plainWalk(const QString& root) {
    QStringList paths;
    for (QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        paths << it.next();
    std::sort(paths.begin(), paths.end(), NaturalOrder::Less);
    return paths;
}

// The same walk by the system's tools.
void findAndSort(const QString& root) {
    QProcess shell;
    shell.start("sh", {"-c", "find \"$0\" -type f | sort -V > /dev/null", root});
    shell.waitForFinished(60000);
}

int scanInBackground(const QString& root) {
    FolderScan scan;
    int found = 0;
    bool finished = false;
    QObject::connect(&scan, &FolderScan::Found,
                     [&](const QStringList& paths, const QStringList&) { found += paths.size(); });
    QObject::connect(&scan, &FolderScan::Finished, [&] { finished = true; });
    scan.Start(root);
    runUntil([&] { return finished; });
    return found;
}

// The library's ordinary way to every length: open, find the stream information, read the
// duration. With `probe` false, the open alone: faster, but it leaves some lengths unknown.
int plainLengths(const QStringList& files, bool probe) {
    int known = 0;
    for (const QString& file : files) {
        AVFormatContext* format = nullptr;
        if (avformat_open_input(&format, QFile::encodeName(file).constData(), nullptr, nullptr) < 0)
            continue;
        if (probe)
            avformat_find_stream_info(format, nullptr);
        known += format->duration > 0;
        avformat_close_input(&format);
    }
    return known;
}

int headerLengths(const QStringList& files, const QString& covers) {
    int known = 0;
    for (const QString& file : files) known += MediaHeader::Read(file, covers).milliseconds > 0;
    return known;
}

int pooledLengths(const QStringList& files, const QString& covers) {
    MediaInfoReader reader(nullptr, covers);
    int read = 0, known = 0;
    QObject::connect(&reader, &MediaInfoReader::Read, [&](const MediaInfo& info) {
        ++read;
        known += info.milliseconds > 0;
    });
    reader.Request(files);
    runUntil([&] { return read == files.size(); });
    return known;
}

long residentKiB() {
    QFile status("/proc/self/statm");
    status.open(QIODevice::ReadOnly);
    const QList<QByteArray> fields = status.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : 0;
}

// Scan and lengths at once, as the player does them: the event loop's longest pause, and the
// memory that 10,000 entries with their lengths and tags take.
void together(const QString& root, const QString& covers) {
    QElapsedTimer sinceTick;
    qint64 longestGapNs = 0;
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGapNs = std::max(longestGapNs, sinceTick.nsecsElapsed());
        sinceTick.restart();
    });
    const long before = residentKiB();
    QList<MediaInfo> entries;
    {
        FolderScan scan;
        MediaInfoReader reader(nullptr, covers);
        int asked = 0;
        bool scanned = false;
        QObject::connect(&scan, &FolderScan::Found,
                         [&](const QStringList& paths, const QStringList&) {
                             reader.Request(paths);
                             asked += paths.size();
                         });
        QObject::connect(&scan, &FolderScan::Finished, [&] { scanned = true; });
        QObject::connect(&reader, &MediaInfoReader::Read,
                         [&](const MediaInfo& info) { entries << info; });
        sinceTick.start();
        ticker.start();
        scan.Start(root);
        runUntil([&] { return scanned && entries.size() == asked; });
        ticker.stop();
    }
    std::printf("longest pause of the event loop while scanning and reading together: %.1f ms\n",
                static_cast<double>(longestGapNs) / 1e6);
    std::printf("memory of %lld entries with lengths and tags: %.1f MiB\n",
                static_cast<long long>(entries.size()),
                static_cast<double>(residentKiB() - before) / 1024.0);
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QFile load("/proc/loadavg");
    if (load.open(QIODevice::ReadOnly))
        std::printf("load average at the start: %s", load.readLine().constData());
    if (!AvFormatLibrary::Get()) {
        std::fprintf(stderr, "library: FFmpeg's libavformat cannot be opened\n");
        return 1;
    }
    QTemporaryDir tree, covers;
    const QStringList files = makeTree(tree.path());
    if (files.isEmpty()) {
        std::fprintf(stderr, "library: ffmpeg could not make the files\n");
        return 1;
    }
    plainWalk(tree.path());  // the tree in the cache for both sides
    plainLengths(files, false);
    std::vector<double> scan, walk, tools, pooled, plain, opened, single;
    int scanned = 0, walked = 0, knownPooled = 0, knownPlain = 0, knownOpened = 0;
    for (int run = 0; run < kRuns; ++run) {
        walk.push_back(timeMs([&] { walked = static_cast<int>(plainWalk(tree.path()).size()); }));
        tools.push_back(timeMs([&] { findAndSort(tree.path()); }));
        scan.push_back(timeMs([&] { scanned = scanInBackground(tree.path()); }));
        plain.push_back(timeMs([&] { knownPlain = plainLengths(files, true); }));
        opened.push_back(timeMs([&] { knownOpened = plainLengths(files, false); }));
        pooled.push_back(timeMs([&] { knownPooled = pooledLengths(files, covers.path()); }));
        single.push_back(timeMs([&] { headerLengths(files, covers.path()); }));
    }
    std::printf(
        "scan of %d files in 1,110 folders: %.1f ms, plain walk with natural sort (%d): "
        "%.1f ms\n",
        scanned, median(scan), walked, median(walk));
    std::printf(
        "library scan / plain walk with natural sort: %.2f (/ find | sort -V, %.1f ms: "
        "%.2f)\n",
        median(scan) / median(walk), median(tools), median(scan) / median(tools));
    std::printf(
        "lengths known: pool %d in %.0f ms (%d threads); plain loop %d in %.0f ms; "
        "the open alone %d in %.0f ms; the reader's own read in one thread %.0f ms\n",
        knownPooled, median(pooled), QThread::idealThreadCount(), knownPlain, median(plain),
        knownOpened, median(opened), median(single));
    std::printf("all lengths by the pool / a plain loop of libavformat in one thread: %.2f\n",
                median(pooled) / median(plain));
    std::printf("all lengths by the pool / the open alone in one thread: %.2f\n",
                median(pooled) / median(opened));
    together(tree.path(), covers.path());
    return 0;
}
