#include "LibraryTree.h"

#include <unistd.h>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <algorithm>

extern "C" {
#include <libavformat/avformat.h>
}

#include "playlist/NaturalOrder.h"

namespace {

constexpr int kFanOut = 10;  // 10 x 10 x 10 leaf folders of 10 files each

bool ffmpeg(const QStringList& arguments) {
    QProcess process;
    process.start("ffmpeg", QStringList{"-y", "-loglevel", "error", "-f", "lavfi", "-i",
                                        "sine=frequency=440:duration=1", "-metadata", "title=Song",
                                        "-metadata", "artist=Band", "-metadata", "album=Record"} +
                                arguments);
    return process.waitForFinished(60000) && process.exitCode() == 0;
}

}  // namespace

// Small tagged files of five types, copied round the tree.
QStringList LibraryTree::Make(const QString& root) {
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

QStringList LibraryTree::PlainWalk(const QString& root) {
    QStringList paths;
    for (QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        paths << it.next();
    std::sort(paths.begin(), paths.end(), NaturalOrder::Less);
    return paths;
}

int LibraryTree::PlainLengths(const QStringList& files, bool probe) {
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

double LibraryTree::Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double LibraryTree::TimeMs(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

long LibraryTree::ResidentKiB() {
    QFile status("/proc/self/statm");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = status.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : 0;
}
