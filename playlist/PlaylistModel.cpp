#include "playlist/PlaylistModel.h"

#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <numeric>

#include "platform/StreamUrl.h"
#include "playlist/ForeignPlaylist.h"
#include "playlist/M3uPlaylist.h"
#include "playlist/NaturalOrder.h"
#include "playlist/PlaylistFile.h"

PlaylistModel::PlaylistModel(QObject* parent, const QString& coverFolder)
    : QAbstractListModel(parent), reader_(nullptr, coverFolder) {
    connect(&reader_, &MediaInfoReader::Read, this,
            [this](const MediaInfo& info) { SetInfo(info.path, info); });
    connect(&scan_, &FolderScan::Found, this,
            qOverload<const QStringList&, const QStringList&>(&PlaylistModel::Append));
    connect(&scan_, &FolderScan::Finished, this, [this] {
        if (!folders_.isEmpty())
            folders_.removeFirst();
        scanNext();
    });
    for (const auto change : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(this, change, this, &PlaylistModel::UpcomingChanged);
    connect(this, &QAbstractItemModel::modelReset, this, &PlaylistModel::UpcomingChanged);
}

int PlaylistModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Count();
}

QVariant PlaylistModel::data(const QModelIndex& index, int role) const {
    const int row = index.row();
    if (!index.isValid() || row < 0 || row >= Count())
        return QVariant();
    switch (role) {
        case Qt::DisplayRole:
            return names_.at(row);
        case PathRole:
            return Path(row);
        case PlayingRole:
            return row == playing_;
        case LengthRole: {
            const qint64 ms = info_.value(Path(row)).milliseconds;
            return ms < 0 ? -1.0 : ms / 1000.0;
        }
        case Qt::ToolTipRole: {
            const MediaInfo info = info_.value(Path(row));
            QStringList lines;
            for (const QString& part : {info.title, info.artist, info.album})
                if (!part.isEmpty())
                    lines << part;
            return lines.isEmpty() ? QVariant() : QVariant(lines.join(QLatin1Char('\n')));
        }
        default:
            return QVariant();
    }
}

int PlaylistModel::PairedCount() const {
    return static_cast<int>(std::min(paths_.size(), names_.size()));
}

void PlaylistModel::changedRows(int first, int last) {
    first = std::max(first, 0);
    last = std::min(last, Count() - 1);
    if (first <= last)
        emit dataChanged(index(first), index(last));
}

void PlaylistModel::Append(const QString& path, const QString& name) {
    Append(QStringList{path}, QStringList{name});
}

void PlaylistModel::Append(const QStringList& paths, const QStringList& names) {
    AppendPaths(paths);
    AppendNames(names);
}

void PlaylistModel::AppendPaths(const QStringList& paths) {
    if (paths.isEmpty())
        return;
    const int first = static_cast<int>(paths_.size());
    paths_ += paths;
    rowsStale_ = true;
    // Each file is read once, however often it is listed; addresses are not read.
    QStringList unread;
    for (const QString& path : paths) {
        if (info_.contains(path) || path.contains(QLatin1String("://")))
            continue;
        info_[path].path = path;
        unread << path;
    }
    reader_.Request(unread);
    // Rows whose name came first (a damaged file read before) get their path now.
    changedRows(first, static_cast<int>(paths_.size()) - 1);
}

void PlaylistModel::AppendNames(const QStringList& names) {
    if (names.isEmpty())
        return;
    beginInsertRows(QModelIndex(), Count(), Count() + static_cast<int>(names.size()) - 1);
    names_ += names;
    endInsertRows();
    rowsStale_ = true;
}

void PlaylistModel::AddFolder(const QString& folder) {
    folders_ << folder;
    if (folders_.size() == 1)
        scanNext();
}

void PlaylistModel::scanNext() {
    if (folders_.isEmpty())
        emit ScansFinished();
    else
        scan_.Start(folders_.first());
}

void PlaylistModel::Clear() {
    scan_.Stop();
    folders_.clear();
    beginResetModel();
    paths_.clear();
    names_.clear();
    playing_ = -1;
    endResetModel();
    rowsStale_ = true;
}

int PlaylistModel::Reorder(const QList<int>& order, int row) {
    // Only entries with both a path and a name move; an unpaired tail stays behind them.
    const int n = PairedCount();
    const auto follow = [&](int r) {
        if (r < 0)
            return -1;
        return r < n ? static_cast<int>(order.indexOf(r)) : r - n + static_cast<int>(order.size());
    };
    QStringList paths;
    QStringList names;
    for (const int old : order) {
        paths << paths_.at(old);
        names << names_.at(old);
    }
    beginResetModel();
    paths_ = paths + paths_.mid(n);
    names_ = names + names_.mid(n);
    playing_ = follow(playing_);
    endResetModel();
    rowsStale_ = true;
    return follow(row);
}

QList<int> PlaylistModel::orderWhere(const std::function<bool(int)>& keep) const {
    QList<int> order;
    for (int i = 0; i < PairedCount(); ++i)
        if (keep(i))
            order << i;
    return order;
}

QList<int> PlaylistModel::OrderWithout(int row) const {
    return orderWhere([row](int i) { return i != row; });
}

QList<int> PlaylistModel::OrderOfExisting() const {
    // Paths are already in the file system's form; a stream is no file and is not missing.
    return orderWhere(
        [this](int i) { return StreamUrl::Is(paths_.at(i)) || QFileInfo::exists(paths_.at(i)); });
}

QList<int> PlaylistModel::OrderWithoutDuplicates() const {
    QSet<QString> seen;
    if (playing_ >= 0 && playing_ < PairedCount())
        seen.insert(paths_.at(playing_));
    return orderWhere([&](int i) {
        if (i != playing_ && seen.contains(paths_.at(i)))
            return false;
        seen.insert(paths_.at(i));
        return true;
    });
}

QList<int> PlaylistModel::sortedBy(const QStringList& keys) const {
    QList<int> order(PairedCount());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return NaturalOrder::Less(keys.at(a), keys.at(b)); });
    return order;
}

QList<int> PlaylistModel::OrderByName() const {
    return sortedBy(names_);
}

QList<int> PlaylistModel::OrderByPath() const {
    return sortedBy(paths_);
}

QList<int> PlaylistModel::ReversedOrder() const {
    QList<int> order(PairedCount());
    std::iota(order.rbegin(), order.rend(), 0);
    return order;
}

void PlaylistModel::SetPlayingRow(int row) {
    const int before = playing_;
    playing_ = row;
    changedRows(before, before);
    changedRows(row, row);
}

void PlaylistModel::SetShuffle(bool on, int current) {
    if (on == shuffle_)
        return;
    shuffle_ = on;
    if (on)
        shuffleOrder_.Restart(current, Count());
    emit UpcomingChanged();
}

// At the last entry the list wraps; a one-entry list gives its entry again.
int PlaylistModel::RowAfter(int current) {
    const int n = Count();
    if (n == 0)
        return -1;
    if (shuffle_)
        return shuffleOrder_.After(current, n);
    return current == n - 1 ? 0 : current + 1;
}

int PlaylistModel::RowBefore(int current) {
    const int n = Count();
    if (shuffle_)
        return shuffleOrder_.Before(current, n);
    return current <= 0 ? n - 1 : current - 1;
}

std::optional<int> PlaylistModel::RowAfterFailure(int current) {
    ++failuresInARow_;
    if (failuresInARow_ < Count())
        return movingBack_ ? RowBefore(current) : RowAfter(current);
    failuresInARow_ = 0;
    return std::nullopt;
}

void PlaylistModel::SetInfo(const QString& path, const MediaInfo& info) {
    MediaInfo& known = info_[path];
    const qint64 listed = known.milliseconds;
    known = info;
    known.path = path;
    if (known.milliseconds < 0)
        known.milliseconds = listed;
    for (const int row : rowsOf(path)) changedRows(row, row);
}

// Reads of a large list arrive by the thousand: the rows of each path are looked up, not
// searched for, and the lookup is made again only after the list changed.
QList<int> PlaylistModel::rowsOf(const QString& path) {
    if (rowsStale_) {
        rowsByPath_.clear();
        for (int row = 0; row < PairedCount(); ++row) rowsByPath_[paths_.at(row)] << row;
        rowsStale_ = false;
    }
    return rowsByPath_.value(path);
}

QString PlaylistModel::DisplayName(const QString& path) {
    if (StreamUrl::Is(path))
        return StreamUrl::Name(path);
    // A final separator stays part of the result.
    for (qsizetype i = path.size() - 2; i >= 0; --i)
        if (path.at(i) == QLatin1Char('\\') || path.at(i) == QLatin1Char('/'))
            return path.mid(i + 1);
    return path;
}

std::optional<QString> PlaylistModel::Save(const QString& path) const {
    std::optional<QString> error;
    if (ForeignPlaylist::WritesAsM3u(path)) {
        PlaylistEntries entries;
        for (int i = 0; i < PairedCount(); ++i) {
            const qint64 ms = info_.value(paths_.at(i)).milliseconds;
            entries.append({paths_.at(i), names_.at(i), ms < 0 ? -1 : int((ms + 500) / 1000)});
        }
        error = M3uPlaylist::Write(path, entries);
    } else {
        error = PlaylistFile::Write(path, PlaylistFile::Compose(paths_, names_));
    }
    if (error)
        return QStringLiteral("There was an Error writing To the playlist: ") + *error;
    return std::nullopt;
}

// Another player's list: its titles become names, its lengths known lengths.
std::optional<QString> PlaylistModel::loadForeign(const QString& path) {
    PlaylistEntries entries;
    QString error;
    if (!ForeignPlaylist::Read(path, &entries, &error))
        return QStringLiteral("There was an Error reading from the playlist: ") + error;
    QStringList paths;
    QStringList names;
    for (const PlaylistEntry& entry : entries) {
        paths << entry.path;
        names << (entry.name.isEmpty() ? DisplayName(entry.path) : entry.name);
        if (entry.seconds >= 0 && !info_.contains(entry.path)) {
            MediaInfo info;
            info.path = entry.path;
            info.milliseconds = qint64(entry.seconds) * 1000;
            info_.insert(entry.path, info);
        }
    }
    Append(paths, names);
    return std::nullopt;
}

std::optional<QString> PlaylistModel::Load(const QString& path) {
    if (ForeignPlaylist::Handles(path))
        return loadForeign(path);
    QString text;
    QString error;
    if (!PlaylistFile::Read(path, &text, &error))
        return std::nullopt;  // an unreadable file adds nothing and says nothing
    QStringList written;
    const bool complete =
        PlaylistFile::Scan(text, PlaylistFile::PathMarker(), &written).has_value();
    AppendPaths(PlaylistFile::EntryPaths(written, path));
    if (!complete)
        return std::nullopt;  // paths read before the failure stay; names are not read
    QStringList names;
    const bool named = PlaylistFile::Scan(text, PlaylistFile::NameMarker(), &names).has_value();
    AppendNames(names);
    if (!named)
        return QStringLiteral("There was an Error reading from the playlist: ") +
               QStringLiteral("a name has no closing quote");
    return std::nullopt;
}
