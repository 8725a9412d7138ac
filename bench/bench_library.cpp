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

#include "EventLoopWatch.h"
#include "LibraryTree.h"
#include "platform/AvFormatLibrary.h"
#include "platform/MediaHeader.h"
#include "platform/MediaInfoReader.h"
#include "playlist/FolderScan.h"
#include "playlist/NaturalOrder.h"

namespace {

constexpr int kRuns = 5;

void runUntil(const std::function<bool()>& done) {
    while (!done()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
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

// Scan and lengths at once, as the player does them: the event loop's longest pause, and the
// memory that 10,000 entries with their lengths and tags take.
void together(const QString& root, const QString& covers) {
    EventLoopWatch watch;
    const long before = LibraryTree::ResidentKiB();
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
        watch.Start();
        scan.Start(root);
        runUntil([&] { return scanned && entries.size() == asked; });
        watch.Stop();
    }
    std::printf("longest pause of the event loop while scanning and reading together: %.1f ms\n",
                watch.LongestMs());
    std::printf("memory of %lld entries with lengths and tags: %.1f MiB\n",
                static_cast<long long>(entries.size()),
                static_cast<double>(LibraryTree::ResidentKiB() - before) / 1024.0);
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
    const QStringList files = LibraryTree::Make(tree.path());
    if (files.isEmpty()) {
        std::fprintf(stderr, "library: ffmpeg could not make the files\n");
        return 1;
    }
    LibraryTree::PlainWalk(tree.path());  // the tree in the cache for both sides
    LibraryTree::PlainLengths(files, false);
    std::vector<double> scan, walk, tools, pooled, plain, opened, single;
    int scanned = 0, walked = 0, knownPooled = 0, knownPlain = 0, knownOpened = 0;
    for (int run = 0; run < kRuns; ++run) {
        walk.push_back(LibraryTree::TimeMs(
            [&] { walked = static_cast<int>(LibraryTree::PlainWalk(tree.path()).size()); }));
        tools.push_back(LibraryTree::TimeMs([&] { findAndSort(tree.path()); }));
        scan.push_back(LibraryTree::TimeMs([&] { scanned = scanInBackground(tree.path()); }));
        plain.push_back(
            LibraryTree::TimeMs([&] { knownPlain = LibraryTree::PlainLengths(files, true); }));
        opened.push_back(
            LibraryTree::TimeMs([&] { knownOpened = LibraryTree::PlainLengths(files, false); }));
        pooled.push_back(
            LibraryTree::TimeMs([&] { knownPooled = pooledLengths(files, covers.path()); }));
        single.push_back(LibraryTree::TimeMs([&] { headerLengths(files, covers.path()); }));
    }
    std::printf(
        "scan of %d files in 1,110 folders: %.1f ms, plain walk with natural sort (%d): "
        "%.1f ms\n",
        scanned, LibraryTree::Median(scan), walked, LibraryTree::Median(walk));
    std::printf(
        "library scan / plain walk with natural sort: %.2f (/ find | sort -V, %.1f ms: "
        "%.2f)\n",
        LibraryTree::Median(scan) / LibraryTree::Median(walk), LibraryTree::Median(tools),
        LibraryTree::Median(scan) / LibraryTree::Median(tools));
    std::printf(
        "lengths known: pool %d in %.0f ms (%d threads); plain loop %d in %.0f ms; "
        "the open alone %d in %.0f ms; the reader's own read in one thread %.0f ms\n",
        knownPooled, LibraryTree::Median(pooled), QThread::idealThreadCount(), knownPlain,
        LibraryTree::Median(plain), knownOpened, LibraryTree::Median(opened),
        LibraryTree::Median(single));
    std::printf("all lengths by the pool / a plain loop of libavformat in one thread: %.2f\n",
                LibraryTree::Median(pooled) / LibraryTree::Median(plain));
    std::printf("all lengths by the pool / the open alone in one thread: %.2f\n",
                LibraryTree::Median(pooled) / LibraryTree::Median(opened));
    together(tree.path(), covers.path());
    return 0;
}
