// The player with a library of 10,000 small tagged files in 1,000 nested folders, given on its
// command line: the time until every row is shown, against a plain walk of the tree with
// natural sorting; the time until every length is known, against a plain loop of libavformat
// in one thread; the longest time the event loop did not turn meanwhile; and the memory the
// entries take over the empty player's.
//
// Each run is the program in a process of its own, built as main() builds it, on the offscreen
// platform, with libmpv playing the first files as the player would (on the null audio output
// when there is no sound device). `player_library --run ROOT` starts with the tree on the
// command line. Playing takes memory of its own, so the memory is measured on a second road:
// `player_library --run ROOT FIRST` starts with one file playing, and the tree comes as a
// second start's command line handed over to the running player. Each prints its figures.
#include <malloc.h>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <clocale>
#include <cstdio>
#include <vector>

#include "EventLoopWatch.h"
#include "LibraryTree.h"
#include "TestForms.h"
#include "app/CommandLine.h"
#include "app/frmMain.h"
#include "platform/MpvPlaybackControl.h"
#include "playlist/FormPLS.h"

namespace {

constexpr int kRuns = 3;
constexpr int kTimeoutMs = 600000;

struct Figures {
    // Resident memory, and the heap in use, over the empty player's.
    double rowsMs = 0, lengthsMs = 0, stallMs = 0, memoryMiB = 0, heapMiB = 0;
};

bool allLengthsKnown(const PlaylistModel& entries) {
    for (const QString& path : entries.Paths())
        if (entries.Info(path).milliseconds <= 0)
            return false;
    return true;
}

// Turns the event loop until `done`, or fails after the time-out.
bool runUntil(const std::function<bool()>& done) {
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
        if (waited.elapsed() > kTimeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    }
    return true;
}

// Builds the player in the order main() does; with `first`, it plays that file before the tree
// comes.
int runPlayer(int argc, char* argv[], const QString& root, const QString& first) {
    mallopt(M_ARENA_MAX, 4);  // as main() sets it
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    TestForms forms{[] { return std::make_unique<MpvPlaybackControl>(); }};
    Controller& controller = forms.Operations();
    PlaylistModel& entries = forms.Entries();
    forms.Main().show();
    controller.TogglePlaylist();
    if (!first.isEmpty())
        controller.AddPaths({first});
    QElapsedTimer sinceCommand;
    sinceCommand.start();
    runUntil([&] { return sinceCommand.elapsed() > (first.isEmpty() ? 500 : 1500); });
    const long emptyKiB = LibraryTree::ResidentKiB();
    const size_t emptyHeap = mallinfo2().uordblks;
    const int rowsBefore = entries.Count();

    EventLoopWatch watch;
    watch.Start();
    sinceCommand.start();
    controller.AddPaths(CommandLine::Parse({root}, QDir::currentPath()).paths);
    Figures figures;
    const bool shown = runUntil(
        [&] { return entries.Count() == rowsBefore + LibraryTree::kFiles && !entries.Scanning(); });
    QCoreApplication::processEvents();  // the last rows laid out and painted
    figures.rowsMs = static_cast<double>(sinceCommand.nsecsElapsed()) / 1e6;
    if (!shown || !runUntil([&] { return allLengthsKnown(entries); })) {
        std::fprintf(stderr, "player_library: %d rows, not every length known\n", entries.Count());
        return 1;
    }
    figures.lengthsMs = static_cast<double>(sinceCommand.nsecsElapsed()) / 1e6;
    watch.Stop();
    figures.stallMs = watch.LongestMs();
    figures.memoryMiB = static_cast<double>(LibraryTree::ResidentKiB() - emptyKiB) / 1024.0;
    figures.heapMiB = (static_cast<double>(mallinfo2().uordblks) - static_cast<double>(emptyHeap)) /
                      (1024.0 * 1024.0);
    std::printf("%.1f %.1f %.1f %.2f %.2f\n", figures.rowsMs, figures.lengthsMs, figures.stallMs,
                figures.memoryMiB, figures.heapMiB);
    return 0;
}

bool runOnce(const QStringList& arguments, Figures* figures) {
    QProcess run;
    run.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    run.start(QCoreApplication::applicationFilePath(),
              QStringList{QStringLiteral("--run")} + arguments);
    if (!run.waitForFinished(kTimeoutMs) || run.exitCode() != 0)
        return false;
    const QList<QByteArray> fields = run.readAllStandardOutput().simplified().split(' ');
    if (fields.size() != 5)
        return false;
    *figures = Figures{fields[0].toDouble(), fields[1].toDouble(), fields[2].toDouble(),
                       fields[3].toDouble(), fields[4].toDouble()};
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    if ((argc == 3 || argc == 4) && QByteArray(argv[1]) == "--run")
        return runPlayer(argc, argv, QString::fromLocal8Bit(argv[2]),
                         argc == 4 ? QString::fromLocal8Bit(argv[3]) : QString());
    QCoreApplication app(argc, argv);
    QTemporaryDir tree;
    const QStringList files = LibraryTree::Make(tree.path());
    if (files.isEmpty()) {
        std::fprintf(stderr, "player_library: ffmpeg could not make the files\n");
        return 1;
    }
    LibraryTree::PlainWalk(tree.path());  // the tree in the cache for every side
    LibraryTree::PlainLengths(files, false);
    std::vector<double> walk, lengths, rows, known, stall, memory, heap, playing;
    for (int run = 0; run < kRuns; ++run) {
        walk.push_back(LibraryTree::TimeMs([&] { LibraryTree::PlainWalk(tree.path()); }));
        lengths.push_back(LibraryTree::TimeMs([&] { LibraryTree::PlainLengths(files, true); }));
        Figures fresh, handedOver;
        if (!runOnce({tree.path()}, &fresh) ||
            !runOnce({tree.path(), files.first()}, &handedOver)) {
            std::fprintf(stderr, "player_library: the player's run failed\n");
            return 1;
        }
        rows.push_back(fresh.rowsMs);
        known.push_back(fresh.lengthsMs);
        stall.push_back(std::max(fresh.stallMs, handedOver.stallMs));
        memory.push_back(handedOver.memoryMiB);
        heap.push_back(handedOver.heapMiB);
        playing.push_back(fresh.memoryMiB);
    }
    using T = LibraryTree;
    std::printf(
        "player: command line to 10,000 rows shown %.0f ms; plain walk with natural sort "
        "%.0f ms; ratio %.2f\n",
        T::Median(rows), T::Median(walk), T::Median(rows) / T::Median(walk));
    std::printf(
        "player: command line to all lengths known %.0f ms; plain loop of libavformat in "
        "one thread %.0f ms; ratio %.2f\n",
        T::Median(known), T::Median(lengths), T::Median(known) / T::Median(lengths));
    std::printf("player: longest pause of the event loop meanwhile %.1f ms (worst run %.1f ms)\n",
                T::Median(stall), *std::max_element(stall.begin(), stall.end()));
    std::printf(
        "player: memory of the 10,000 entries handed to a playing player: resident "
        "%.1f MiB, heap in use %.1f MiB (a fresh start with them on its command line, "
        "the first files' playing counted too: %.1f MiB)\n",
        T::Median(memory), T::Median(heap), T::Median(playing));
    return 0;
}
