#pragma once

#include <QAbstractListModel>
#include <QHash>
#include <QStringList>
#include <functional>
#include <optional>

#include "platform/MediaInfo.h"
#include "platform/MediaInfoReader.h"
#include "playlist/FolderScan.h"
#include "playlist/ShuffleOrder.h"

// The playlist: the entries, the playing entry, the shuffle order and the way through them.
// It holds what the playlist window's two list boxes held: the paths (`List1`) and the display
// names (`List2`), index by index. Rows are the names; a damaged playlist file may leave more
// paths than names, and that unpaired tail stays as it was read.
class PlaylistModel : public QAbstractListModel {
    Q_OBJECT
  public:
    enum Role { PathRole = Qt::UserRole + 1, LengthRole, PlayingRole };

    // `coverFolder`: where embedded covers are written; empty for the user's cache folder.
    explicit PlaylistModel(QObject* parent = nullptr, const QString& coverFolder = QString());

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    int Count() const { return static_cast<int>(names_.size()); }
    bool IsEmpty() const { return names_.isEmpty(); }
    QString Path(int row) const { return paths_.value(row); }
    QString Name(int row) const { return names_.value(row); }
    const QStringList& Paths() const { return paths_; }
    const QStringList& Names() const { return names_; }
    // Rows that have both a path and a name.
    int PairedCount() const;

    void Append(const QString& path, const QString& name);
    void Append(const QStringList& paths, const QStringList& names);
    // The two halves as a playlist file gives them: all paths first, then all names.
    void AppendPaths(const QStringList& paths);
    void AppendNames(const QStringList& names);
    // Appends the media of a folder and its subfolders as the scan finds them, off this thread,
    // in batches; folders given one after another are scanned one after another.
    void AddFolder(const QString& folder);
    bool Scanning() const { return !folders_.isEmpty(); }
    // Clears the list, and drops the scans under way or waiting.
    void Clear();
    // Puts the paired rows in the given order of old rows (rows left out are removed); the
    // playing row follows its entry. Returns where `row` went, -1 when it was removed.
    int Reorder(const QList<int>& order, int row = -1);

    // Orders of the paired rows for Reorder: without one row, without the entries whose file
    // is gone, without later copies of a path (the playing copy stays), by name or path in
    // natural order (numbers as numbers), and reversed.
    QList<int> OrderWithout(int row) const;
    QList<int> OrderOfExisting() const;
    QList<int> OrderWithoutDuplicates() const;
    QList<int> OrderByName() const;
    QList<int> OrderByPath() const;
    QList<int> ReversedOrder() const;

    // The entry last started, -1 when none is.
    int PlayingRow() const { return playing_; }
    void SetPlayingRow(int row);

    // In shuffle, next and previous go through a random order; turning it on keeps `current`.
    void SetShuffle(bool on, int current);
    bool Shuffle() const { return shuffle_; }
    // The row after or before `current` (-1: none), wrapping at both ends; -1 when empty.
    int RowAfter(int current);
    int RowBefore(int current);
    // The direction of the last start, so a broken entry is stepped over the same way.
    void SetMovingBack(bool back) { movingBack_ = back; }
    // The started entry failed to open: the row to try next from `current`, or nothing when
    // every entry failed in a row (the count starts again then).
    std::optional<int> RowAfterFailure(int current);
    void EntryPlayed() { failuresInARow_ = 0; }

    // Lengths and tags, by path, so every row of the same file shows them. Every local file
    // added is read in the background; what a header does not tell keeps what a list said.
    void SetInfo(const QString& path, const MediaInfo& info);
    // Waits until the files asked for have been read (their results may still be on the way).
    void WaitForReads() { reader_.WaitForReads(); }
    MediaInfo Info(const QString& path) const { return info_.value(path); }

    // The name an entry gets from its path: the tail after the last separator ("/" or "\").
    static QString DisplayName(const QString& path);

    // Playlist files (".slv", and by their names M3U, M3U8 and PLS lists of other players):
    // errors come back as the text to show.
    std::optional<QString> Save(const QString& path) const;
    // Appends a playlist file's entries; the message to show when it was damaged.
    std::optional<QString> Load(const QString& path);

  signals:
    // Every folder given has been scanned.
    void ScansFinished();
    // The list, the current entry or the modes changed, so the entry after the playing one
    // may be another.
    void UpcomingChanged();

  private:
    void changedRows(int first, int last);
    QList<int> orderWhere(const std::function<bool(int)>& keep) const;
    QList<int> sortedBy(const QStringList& keys) const;
    std::optional<QString> loadForeign(const QString& path);
    void scanNext();
    QList<int> rowsOf(const QString& path);

    QStringList paths_;
    QStringList names_;
    QHash<QString, MediaInfo> info_;
    QHash<QString, QList<int>> rowsByPath_;  // the paired rows of each path
    bool rowsStale_ = true;
    MediaInfoReader reader_;
    FolderScan scan_;
    QStringList folders_;  // the one being scanned first, then those waiting
    int playing_ = -1;
    bool shuffle_ = false;
    bool movingBack_ = false;
    int failuresInARow_ = 0;
    ShuffleOrder shuffleOrder_;
};
