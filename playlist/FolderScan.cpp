#include "playlist/FolderScan.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

#include "platform/MediaTypes.h"
#include "playlist/NaturalOrder.h"

namespace {

struct Walker {
    Walker(int size, const FolderScan::Sink& to) : batchSize(size), sink(to) {}

    const int batchSize;
    const FolderScan::Sink& sink;
    QSet<QString> visited;  // canonical paths of the folders already scanned
    QStringList paths, names;
    bool stopped = false;

    bool flush() {
        if (!paths.isEmpty() && !sink(paths, names))
            stopped = true;
        paths.clear();
        names.clear();
        return !stopped;
    }

    void add(const QString& prefix, const QString& fileName) {
        paths << prefix + fileName;
        names << FolderScan::EntryName(fileName);
        if (paths.size() >= batchSize)
            flush();
    }

    void scan(const QString& folder) {
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        if (stopped || canonical.isEmpty() || visited.contains(canonical))
            return;
        visited.insert(canonical);
        const QDir dir(folder);
        const QString prefix =
            folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
        addOwnFiles(prefix, dir.entryList(QDir::Files, QDir::NoSort));
        QStringList subfolders = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
        std::sort(subfolders.begin(), subfolders.end(), NaturalOrder::Less);
        for (const QString& sub : subfolders) scan(prefix + sub);
    }

    void addOwnFiles(const QString& prefix, const QStringList& files) {
        QList<std::pair<int, QString>> ranked;
        for (const QString& file : files)
            if (const int rank = MediaTypes::ScanRank(file); rank >= 0)
                ranked.append({rank, file});
        std::sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
            return a.first != b.first ? a.first < b.first : NaturalOrder::Less(a.second, b.second);
        });
        for (const auto& [rank, file] : ranked) {
            if (stopped)
                return;
            add(prefix, file);
        }
    }
};

}  // namespace

FolderScan::FolderScan(QObject* parent) : QObject(parent) {}

FolderScan::~FolderScan() {
    Stop();
}

QString FolderScan::EntryName(const QString& fileName) {
    const qsizetype dot = fileName.indexOf(QLatin1Char('.'));
    return dot < 0 ? fileName : fileName.left(dot);
}

void FolderScan::Walk(const QString& folder, int batchSize, const Sink& sink) {
    Walker walker(std::max(1, batchSize), sink);
    walker.scan(folder);
    if (!walker.stopped)
        walker.flush();
}

void FolderScan::Collect(const QString& folder, QStringList* paths, QStringList* names) {
    Walk(folder, 4096, [&](const QStringList& p, const QStringList& n) {
        *paths += p;
        *names += n;
        return true;
    });
}

void FolderScan::Start(const QString& folder, int batchSize) {
    Stop();
    stopping_ = false;
    const int scan = ++generation_;
    // Each batch is handed to this object's thread and emitted there, unless the scan was
    // stopped or replaced meanwhile: after Stop nothing more arrives.
    const auto deliver = [this, scan](std::function<void()> announce) {
        QMetaObject::invokeMethod(
            this,
            [this, scan, announce = std::move(announce)] {
                if (scan == generation_)
                    announce();
            },
            Qt::QueuedConnection);
    };
    thread_.reset(QThread::create([this, folder, batchSize, deliver] {
        Walk(folder, batchSize,
             [this, deliver](const QStringList& paths, const QStringList& names) {
                 deliver([this, paths, names] { emit Found(paths, names); });
                 return !stopping_;
             });
        if (!stopping_)
            deliver([this] { emit Finished(); });
    }));
    thread_->start();
}

void FolderScan::Stop() {
    if (!thread_)
        return;
    stopping_ = true;
    ++generation_;
    thread_->wait();
    thread_.reset();
}

bool FolderScan::Running() const {
    return thread_ && thread_->isRunning();
}
