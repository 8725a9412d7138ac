#pragma once

#include <QList>
#include <QObject>
#include <QStringList>
#include <QThreadPool>
#include <QTimer>
#include <atomic>
#include <mutex>

#include "platform/MediaInfo.h"

// Reads the headers of many files in a pool of low-priority threads (see MediaHeader), so the
// windows never wait on a disk. Results arrive in this object's thread in runs, at most one
// run every few hundredths of a second, in the order the reads finish.
class MediaInfoReader : public QObject {
    Q_OBJECT
  public:
    explicit MediaInfoReader(QObject* parent = nullptr,
                             QString coverFolder = QString());  // empty: the user's cache
    ~MediaInfoReader() override;  // drops what is still queued and waits for reads under way

    void Request(const QStringList& paths);
    // Forgets every request: nothing asked before arrives any more.
    void Cancel();
    // Waits until every read asked for has finished (results may still be on their way).
    void WaitForReads();
    int Threads() const { return pool_.maxThreadCount(); }

  signals:
    void Read(const MediaInfo& info);

  private:
    void finished(const MediaInfo& info, int generation);
    void deliver();

    const QString coverFolder_;
    std::mutex mutex_;                 // guards outbox_
    QList<MediaInfo> outbox_;          // read, not yet announced
    std::atomic<int> generation_ = 0;  // bumped by Cancel
    QTimer gather_;                    // in this object's thread: starts a run of results
    QThreadPool pool_;                 // last: its threads stop before the rest goes
};
