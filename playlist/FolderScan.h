#pragma once

#include <QObject>
#include <QStringList>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>

// Finds the media of a folder and its subfolders, depth first: in each folder its own files
// (by the scan rank of their type, each type's files in natural order), then each subfolder in
// natural order. Hidden files and folders are left out, a folder reached twice (a link loop, or
// two links to one place) is scanned once, and an unreadable folder is passed over.
class FolderScan : public QObject {
    Q_OBJECT
  public:
    // Paths and the names the list shows for them, in order.
    using Sink = std::function<bool(const QStringList& paths, const QStringList& names)>;

    explicit FolderScan(QObject* parent = nullptr);
    ~FolderScan() override;  // stops a scan under way and waits for it

    // Scans `folder` in a thread of its own; Found is emitted in this object's thread, in
    // batches of at most `batchSize`, then Finished. A scan under way is stopped first, and
    // after Stop no batch of it arrives any more.
    void Start(const QString& folder, int batchSize = 500);
    void Stop();
    bool Running() const;

    // The whole scan in the calling thread, every `batchSize` files (and at the end) handed to
    // `sink`; the scan stops early when `sink` returns false. `folder` is used as given (a
    // "\" in it is an ordinary character).
    static void Walk(const QString& folder, int batchSize, const Sink& sink);
    static void Collect(const QString& folder, QStringList* paths, QStringList* names);

    // The name the list shows for a scanned file: the file name up to its first dot.
    static QString EntryName(const QString& fileName);

  signals:
    void Found(const QStringList& paths, const QStringList& names);
    void Finished();

  private:
    std::unique_ptr<QThread> thread_;
    std::atomic<bool> stopping_{false};
    int generation_ = 0;  // which scan's batches are still wanted; read in this object's thread
};
