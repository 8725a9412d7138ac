#include "app/Mpris.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QDBusMessage>
#include <QFileInfo>
#include <QUrl>
#include <algorithm>
#include <cmath>

#include "app/Controller.h"
#include "app/Forms.h"
#include "app/MprisPlayer.h"
#include "app/MprisRoot.h"
#include "app/frmMain.h"
#include "platform/PlaybackControl.h"
#include "platform/StreamUrl.h"
#include "playlist/FormPLS.h"

namespace {
constexpr double kMicroseconds = 1e6;

qlonglong microseconds(double seconds) {
    return std::llround(seconds * kMicroseconds);
}
}  // namespace

bool Mpris::Track::operator==(const Track& other) const {
    return number == other.number && path == other.path && length == other.length &&
           title == other.title && artist == other.artist && album == other.album &&
           cover == other.cover;
}

Mpris::Mpris(Forms& forms) : forms_(forms) {
    new MprisRoot(this, forms_.Operations());
    player_ = new MprisPlayer(*this);
}

Mpris::~Mpris() {
    if (!registered_)
        return;
    bus_.unregisterService(serviceName_);
    bus_.unregisterObject(QString::fromLatin1(kPath));
}

bool Mpris::Register(QDBusConnection bus) {
    if (registered_ || !bus.isConnected())
        return false;
    const QString path = QString::fromLatin1(kPath);
    // The object first, so that whoever sees the name appear finds it served.
    if (!bus.registerObject(path, this))
        return false;
    // A second player, started on purpose, takes a name of its own beside the first.
    const QString plain = QString::fromLatin1(kService);
    const QString instance =
        plain + QStringLiteral(".instance") + QString::number(QCoreApplication::applicationPid());
    for (const QString& name : {plain, instance}) {
        if (bus.registerService(name)) {
            serviceName_ = name;
            break;
        }
    }
    if (serviceName_.isEmpty()) {
        bus.unregisterObject(path);
        return false;
    }
    bus_ = bus;
    registered_ = true;
    connectSources();
    refreshTrack();
    publishedTrack_ = track_;
    published_ = announced();
    return true;
}

void Mpris::connectSources() {
    PlaybackControl& control = forms_.Playback();
    connect(&control, &PlaybackControl::StateChange, this,
            [this](int, int newState) { onStateChange(newState); });
    connect(&control, &PlaybackControl::Seeked, this,
            [this](double seconds) { emit player_->Seeked(microseconds(seconds)); });
    connect(&forms_.Main(), &frmMain::VolumeChanged, this, &Mpris::Publish);
    connect(&forms_.Operations(), &Controller::ModesChanged, this, &Mpris::Publish);
    // The entries decide CanGoNext and CanGoPrevious, whoever adds or removes them.
    const QAbstractItemModel* entries = &forms_.Entries();
    connect(entries, &QAbstractItemModel::rowsInserted, this, &Mpris::Publish);
    connect(entries, &QAbstractItemModel::rowsRemoved, this, &Mpris::Publish);
    connect(entries, &QAbstractItemModel::modelReset, this, &Mpris::Publish);
    // Lengths and tags read after the files were added: only the playing file's concern the
    // desktop, and a large list brings thousands of them.
    connect(entries, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& first, const QModelIndex& last) {
                const QString playing = forms_.Playback().FileName();
                for (int row = first.row(); row <= last.row(); ++row)
                    if (!playing.isEmpty() && forms_.Entries().Path(row) == playing)
                        return Publish();
            });
}

PlaybackControl* Mpris::control() const {
    return &forms_.Playback();
}

FormPLS* Mpris::playlist() const {
    return forms_.PlaylistExists() ? &forms_.Playlist() : nullptr;
}

void Mpris::onStateChange(int newState) {
    // A file given anew is a new track, the same file again included.
    if (newState == PlaybackControl::Waiting)
        restarted_ = true;
    Publish();
}

QString Mpris::PlaybackStatus() const {
    const PlaybackControl* playback = control();
    if (!playback)
        return QStringLiteral("Stopped");
    switch (playback->PlayState()) {
        case PlaybackControl::Playing:
        case PlaybackControl::Waiting:  // a file given is opening, and plays once open
            return QStringLiteral("Playing");
        case PlaybackControl::Paused:
            return QStringLiteral("Paused");
        default:
            return QStringLiteral("Stopped");
    }
}

QVariantMap Mpris::Metadata() {
    refreshTrack();
    return metadataOf(track_);
}

qlonglong Mpris::Position() const {
    const PlaybackControl* playback = control();
    return playback ? microseconds(std::max(playback->CurrentPosition(), 0.0)) : 0;
}

double Mpris::Volume() const {
    return forms_.Playing().Volume();
}

bool Mpris::CanGoNext() const {
    const FormPLS* list = playlist();
    return list && list->EntryCount() >= 2;
}

bool Mpris::CanPlay() const {
    const PlaybackControl* playback = control();
    return playback && !playback->FileName().isEmpty() &&
           playback->PlayState() != PlaybackControl::Closed;
}

bool Mpris::CanSeek() const {
    const PlaybackControl* playback = control();
    return playback && playback->Duration() > 0.0 && !forms_.Playing().PlayingStream();
}

void Mpris::Run(void (Controller::*operation)()) {
    (forms_.Operations().*operation)();
    Publish();
}

void Mpris::SetVolume(double fraction) {
    if (!std::isfinite(fraction))
        return;
    forms_.Operations().SetVolume(std::clamp(fraction, 0.0, 1.0));
    Publish();
}

void Mpris::Seek(qlonglong offset) {
    const PlaybackControl* playback = control();
    if (!playback || !CanSeek())
        return;
    // Past the end the file ends, and the list goes on as after any end.
    const double target = playback->CurrentPosition() + static_cast<double>(offset) / kMicroseconds;
    forms_.Operations().SeekTo(std::max(target, 0.0));
    Publish();
}

void Mpris::SetPosition(const QDBusObjectPath& track, qlonglong position) {
    refreshTrack();
    // A request meant for a track that is no longer current is stale: ignored.
    if (track_.number == 0 || track != trackPath(track_) || !CanSeek())
        return;
    if (position < 0 || position > track_.length)
        return;
    forms_.Operations().SeekTo(static_cast<double>(position) / kMicroseconds);
    Publish();
}

bool Mpris::OpenUri(const QString& uri, QString* error) {
    if (StreamUrl::Is(uri)) {
        forms_.Operations().OpenUri(uri);
        Publish();
        return true;
    }
    const QUrl url(uri);
    if (!url.isLocalFile()) {
        *error = QStringLiteral("Only file, http and https addresses can be opened: %1").arg(uri);
        return false;
    }
    const QString path = url.toLocalFile();
    if (!QFileInfo(path).isFile()) {
        *error = QStringLiteral("No such file: %1").arg(path);
        return false;
    }
    forms_.Operations().OpenUri(path);
    Publish();
    return true;
}

void Mpris::refreshTrack() {
    const PlaybackControl* playback = control();
    const QString path = playback ? playback->FileName() : QString();
    if (path.isEmpty()) {
        track_ = Track{};
        restarted_ = false;
        return;
    }
    if (track_.number == 0 || path != track_.path || restarted_) {
        track_ = Track{};
        track_.number = ++tracksStarted_;
        track_.path = path;
        restarted_ = false;
    }
    const double duration = playback->Duration();
    track_.length = duration > 0.0 ? microseconds(duration) : -1;
    // The file's own tags once it plays; before, what its headers told the playlist.
    const MediaInfo known = forms_.Entries().Info(path);
    const auto tag = [&](const char* key, const QString& fallback) {
        const QString value = playback->Tag(QLatin1String(key));
        return value.isEmpty() ? fallback : value;
    };
    const QString title = tag("title", known.title);
    track_.title = title.isEmpty() ? displayName(path) : title;
    track_.cover = known.cover;
    if (track_.length < 0 && known.milliseconds > 0)
        track_.length = known.milliseconds * 1000;
    track_.artist = tag("artist", known.artist);
    track_.album = tag("album", known.album);
}

QString Mpris::displayName(const QString& path) const {
    // The name the list shows for the entry playing, else the file's own name.
    if (const FormPLS* list = playlist()) {
        const int i = list->CurrentIndex();
        const PlaylistModel& entries = forms_.Entries();
        if (i >= 0 && i < entries.PairedCount() && entries.Path(i) == path)
            return entries.Name(i);
    }
    return FormPLS::Getfilename(path);
}

QDBusObjectPath Mpris::trackPath(const Track& track) const {
    return QDBusObjectPath(QStringLiteral("/io/github/solvane/track/%1").arg(track.number));
}

QVariantMap Mpris::metadataOf(const Track& track) const {
    QVariantMap metadata;
    if (track.number == 0)
        return metadata;
    metadata.insert(QStringLiteral("mpris:trackid"), QVariant::fromValue(trackPath(track)));
    if (track.length > 0)
        metadata.insert(QStringLiteral("mpris:length"), track.length);
    const QUrl url = QUrl::fromLocalFile(QFileInfo(track.path).absoluteFilePath());
    metadata.insert(QStringLiteral("xesam:url"), url.toString(QUrl::FullyEncoded));
    metadata.insert(QStringLiteral("xesam:title"), track.title);
    if (!track.artist.isEmpty())
        metadata.insert(QStringLiteral("xesam:artist"), QStringList{track.artist});
    if (!track.album.isEmpty())
        metadata.insert(QStringLiteral("xesam:album"), track.album);
    if (!track.cover.isEmpty())
        metadata.insert(QStringLiteral("mpris:artUrl"),
                        QUrl::fromLocalFile(track.cover).toString(QUrl::FullyEncoded));
    return metadata;
}

bool Mpris::Shuffle() const {
    return forms_.Operations().Shuffle();
}

void Mpris::SetShuffle(bool on) {
    forms_.Operations().SetShuffle(on);
    Publish();
}

QString Mpris::LoopStatus() const {
    return forms_.Operations().Repeat() ? QStringLiteral("Track") : QStringLiteral("Playlist");
}

void Mpris::SetLoopStatus(const QString& status) {
    // "None" is taken as "Playlist": the list wraps at its ends whatever is asked.
    forms_.Operations().SetRepeat(status == QLatin1String("Track"));
    Publish();
}

QVariantMap Mpris::announced() const {
    const bool canPlay = CanPlay();
    return {{QStringLiteral("PlaybackStatus"), PlaybackStatus()},
            {QStringLiteral("Volume"), Volume()},
            {QStringLiteral("Shuffle"), Shuffle()},
            {QStringLiteral("LoopStatus"), LoopStatus()},
            {QStringLiteral("CanGoNext"), CanGoNext()},
            {QStringLiteral("CanGoPrevious"), CanGoPrevious()},
            {QStringLiteral("CanPlay"), canPlay},
            {QStringLiteral("CanPause"), canPlay},
            {QStringLiteral("CanSeek"), CanSeek()}};
}

void Mpris::Publish() {
    if (!registered_)
        return;
    refreshTrack();
    const QVariantMap now = announced();
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        if (published_.value(it.key()) != it.value())
            changed.insert(it.key(), it.value());
    }
    if (track_ != publishedTrack_)
        changed.insert(QStringLiteral("Metadata"), metadataOf(track_));
    published_ = now;
    publishedTrack_ = track_;
    if (changed.isEmpty())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(
        QString::fromLatin1(kPath), QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("PropertiesChanged"));
    signal << QString::fromLatin1(kPlayerInterface) << changed << QStringList();
    bus_.send(signal);
}
