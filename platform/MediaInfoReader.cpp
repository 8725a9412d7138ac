#include "platform/MediaInfoReader.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QThread>

#include "platform/MediaHeader.h"

namespace {
constexpr int kMostPerRun = 256;  // results announced per turn of the event loop
constexpr int kGatherMs = 20;     // results gather this long before they are announced
// Reading headers is background work: playback, the windows and the folder scan come first.
// (A thread's own nice value; Qt's low priority does not change it on Linux.)
bool lowerThisThread() {
    return setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 5) == 0;
}

}  // namespace

MediaInfoReader::MediaInfoReader(QObject* parent, QString coverFolder)
    : QObject(parent),
      coverFolder_(coverFolder.isEmpty() ? MediaHeader::DefaultCoverFolder() : coverFolder) {
    pool_.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
    pool_.setThreadPriority(QThread::LowPriority);
    // Announcing each result as it comes would wake the GUI thread thousands of times a second.
    gather_.setSingleShot(true);
    gather_.setInterval(kGatherMs);
    connect(&gather_, &QTimer::timeout, this, &MediaInfoReader::deliver);
}

MediaInfoReader::~MediaInfoReader() {
    ++generation_;
    pool_.clear();
    pool_.waitForDone();
}

void MediaInfoReader::Request(const QStringList& paths) {
    const int generation = generation_;
    for (const QString& path : paths)
        pool_.start([this, path, generation] {
            static thread_local const bool lowered = lowerThisThread();
            (void)lowered;
            if (generation == generation_)
                finished(MediaHeader::Read(path, coverFolder_), generation);
        });
}

void MediaInfoReader::Cancel() {
    ++generation_;
    pool_.clear();
    const std::lock_guard<std::mutex> lock(mutex_);
    outbox_.clear();
}

void MediaInfoReader::WaitForReads() {
    pool_.waitForDone();
}

void MediaInfoReader::finished(const MediaInfo& info, int generation) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (generation != generation_)
        return;
    outbox_.append(info);
    // One call on its way is enough: what gathers meanwhile is announced with it.
    if (outbox_.size() == 1)
        QMetaObject::invokeMethod(&gather_, qOverload<>(&QTimer::start), Qt::QueuedConnection);
}

void MediaInfoReader::deliver() {
    QList<MediaInfo> run;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        const qsizetype count = std::min<qsizetype>(kMostPerRun, outbox_.size());
        run = outbox_.mid(0, count);
        outbox_.remove(0, count);
        if (!outbox_.isEmpty())
            QMetaObject::invokeMethod(this, &MediaInfoReader::deliver, Qt::QueuedConnection);
    }
    for (const MediaInfo& info : run) emit Read(info);
}
