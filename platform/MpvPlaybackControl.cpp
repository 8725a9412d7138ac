#include "platform/MpvPlaybackControl.h"

#include <malloc.h>
#include <QByteArray>
#include <QMetaObject>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/VideoSurface.h"

namespace {
// Observed properties, by the id their changes come back with.
enum Observed : std::uint64_t {
    kPauseId = 1,
    kEofId,
    kDurationId,
    kTimePosId,
    kWidthId,
    kAudioOutId,
    kChannelsId
};
}  // namespace

MpvPlaybackControl::MpvPlaybackControl(Options options, QObject* parent)
    : PlaybackControl(parent), options_(options) {}

// The renderer goes before the core, and each stops its callbacks before it ends.
MpvPlaybackControl::~MpvPlaybackControl() {
    // A surface no window took is still this control's.
    if (surface_ && !surface_->parent())
        delete surface_.data();
}

bool MpvPlaybackControl::IsReady() {
    Prepare();
    return core_ != nullptr;
}

// The core starts on first use, or when the window asks for it once it is on screen, so that
// starting libmpv does not hold up the first showing of the player.
void MpvPlaybackControl::Prepare() {
    if (started_)
        return;
    started_ = true;
    if (!start())
        std::fprintf(stderr, "solvane: %s\n", qPrintable(cannotPlayText()));
}

QString MpvPlaybackControl::cannotPlayText() const {
    return libraryFound_ ? QStringLiteral("the media library libmpv could not be started")
                         : QStringLiteral("the media library libmpv could not be opened (%1)")
                               .arg(QString::fromUtf8(options_.library));
}

void MpvPlaybackControl::reportCannotPlay() {
    if (cannotPlayReported_)
        return;
    cannotPlayReported_ = true;
    emit CannotPlay(QStringLiteral("Nothing can be played: ") + cannotPlayText() +
                    QStringLiteral("."));
}

bool MpvPlaybackControl::start() {
    const MpvLibrary* api = MpvLibrary::Get(options_.library.constData());
    libraryFound_ = api != nullptr;
    if (!api)
        return false;
    core_ = MpvCore::Start(*api, [this](MpvCore& core) { options_.ApplyTo(core); });
    if (!core_)
        return false;
    observeProperties();
    if (volume_ != 0 || balance_ != 0)
        applyVolumeAndBalance();
    if (options_.videoOutput)
        renderer_ = MpvRenderer::Create(*core_);
    if (renderer_)
        renderer_->SetSurface(surface_);
    core_->SetWakeup(
        [](void* self) {
            auto* control = static_cast<MpvPlaybackControl*>(self);
            QMetaObject::invokeMethod(
                control, [control] { control->drainEvents(); }, Qt::QueuedConnection);
        },
        this);
    return true;
}

void MpvPlaybackControl::observeProperties() {
    core_->Observe(kPauseId, "pause", MPV_FORMAT_FLAG);
    core_->Observe(kEofId, "eof-reached", MPV_FORMAT_FLAG);
    core_->Observe(kDurationId, "duration", MPV_FORMAT_DOUBLE);
    core_->Observe(kTimePosId, "time-pos", MPV_FORMAT_DOUBLE);
    core_->Observe(kWidthId, "width", MPV_FORMAT_INT64);
    core_->Observe(kAudioOutId, "current-ao", MPV_FORMAT_STRING);
    core_->Observe(kChannelsId, "audio-params/channel-count", MPV_FORMAT_INT64);
}

QWidget* MpvPlaybackControl::Surface() {
    if (!surface_) {
        surface_ = new VideoSurface();  // the video window takes ownership when it places it
        connect(surface_, &VideoSurface::MouseDown, this, &PlaybackControl::PictureMouseDown);
        connect(surface_, &VideoSurface::MouseMove, this, &PlaybackControl::PictureMouseMove);
        connect(surface_, &VideoSurface::DoubleClicked, this, &PlaybackControl::PictureDoubleClick);
        if (renderer_)
            renderer_->SetSurface(surface_);
    }
    return surface_;
}

int MpvPlaybackControl::PlayState() const {
    // By phase, in the order they are declared.
    static constexpr int kStates[] = {Closed, Waiting, Waiting, Playing, Paused, Stopped, Stopped};
    return kStates[static_cast<int>(phase_)];
}

bool MpvPlaybackControl::IsPlaying() const {
    return phase_ == Phase::Playing || (isOpening() && onOpen_ == OnOpen::Play);
}

// The file is open and has started: the phases from Playing on.
bool MpvPlaybackControl::isOpen() const {
    return phase_ >= Phase::Playing;
}

// Every change of the play state the windows see is announced.
void MpvPlaybackControl::enter(Phase phase) {
    const int old = PlayState();
    phase_ = phase;
    const int now = PlayState();
    if (now != old)
        emit StateChange(old, now);
}

// While a file opens, a command takes effect through libmpv's pause flag, which the file
// opens under, and the state it settles in once open.
void MpvPlaybackControl::Play() {
    Prepare();
    if (!core_)
        reportCannotPlay();
    if (isOpening()) {
        onOpen_ = OnOpen::Play;
        core_->SetFlag("pause", false);
        return;
    }
    if (!isOpen())
        return;
    if (phase_ == Phase::Ended)
        SetCurrentPosition(0.0);
    core_->SetFlag("pause", false);
    // From the end (or a stop with pause already off) no pause change follows to report it.
    if (phase_ == Phase::Stopped)
        enter(Phase::Playing);
}

void MpvPlaybackControl::Pause() {
    if (isOpening())
        onOpen_ = OnOpen::Pause;
    else if (!isOpen())
        return;
    core_->SetFlag("pause", true);
}

void MpvPlaybackControl::Stop() {
    if (isOpening()) {
        onOpen_ = OnOpen::Stop;
        core_->SetFlag("pause", true);
        return;
    }
    if (!isOpen())
        return;
    core_->SetFlag("pause", true);
    SetCurrentPosition(0.0);
    enter(Phase::Stopped);
}

void MpvPlaybackControl::forgetFile() {
    onOpen_ = OnOpen::Play;
    openFailed_ = false;
    duration_ = -1.0;
    position_ = 0.0;
    pictureWidth_ = 0;
    channels_ = 0;
    tags_.clear();
}

void MpvPlaybackControl::SetFileName(const QString& path) {
    fileName_ = path;
    Prepare();
    if (!core_) {
        reportCannotPlay();
        return;
    }
    forgetFile();
    queue_.ForgetWish();  // the wish was for the file before
    const MpvQueue::Entry handedOver = queue_.Take(path);
    if (handedOver.id >= 0) {
        // libmpv went on to this file by itself at the end of the last one: it plays already.
        expectedId_ = handedOver.id;
        expectingHandOver_ = true;
    } else {
        load(path);
    }
    enter(Phase::Opening);
}

void MpvPlaybackControl::load(const QString& path) {
    queue_.Cleared();  // a replacing load empties libmpv's playlist
    expectingHandOver_ = false;
    // pause survives a load; a new file starts playing.
    core_->SetFlag("pause", false);
    const QByteArray file = path.toUtf8();
    core_->Command({"loadfile", file.constData(), "replace"});
    ++loads_;
    expectedId_ = core_->EntryId(0);
}

void MpvPlaybackControl::QueueNext(const QString& path) {
    queue_.Want(path);
    applyQueue();
}

// A file that is still opening has the next one queued too, so that libmpv goes straight on
// to it should the file fail, as it does in its own playlist. Not while libmpv is going over
// to a handed-over file by itself: its playlist is in motion until that file starts.
void MpvPlaybackControl::applyQueue() {
    const bool settled = isOpen() || (isOpening() && !expectingHandOver_);
    if (!core_ || !settled || phase_ == Phase::Ended || queue_.HandingOver())
        return;
    queue_.Apply(*core_);
}

double MpvPlaybackControl::CurrentPosition() const {
    if (!isOpen())
        return 0.0;
    if (phase_ == Phase::Ended)
        return duration_;
    double position = position_;
    // Equal to the duration only at the end of the media.
    if (duration_ > 0.0 && position >= duration_)
        position = std::nextafter(duration_, 0.0);
    return std::max(position, 0.0);
}

void MpvPlaybackControl::SetCurrentPosition(double seconds) {
    if (!isOpen() || !std::isfinite(seconds))
        return;
    if (phase_ == Phase::Ended && (duration_ < 0.0 || seconds < duration_)) {
        phase_ = Phase::Stopped;  // shown as stopped all the same
        applyQueue();             // held open at its end, the file had nothing queued
    }
    // Shown at once: the observed position follows when the seek is done.
    position_ = std::max(seconds, 0.0);
    const QByteArray target = QByteArray::number(position_, 'f', 3);
    core_->Command({"seek", target.constData(), "absolute+exact"});
    emit Seeked(position_);
}

double MpvPlaybackControl::Duration() const {
    return isOpen() ? duration_ : -1.0;
}

int MpvPlaybackControl::SourcePictureWidth() const {
    return isOpen() ? static_cast<int>(pictureWidth_) : 0;
}

int MpvPlaybackControl::AudioChannels() const {
    return isOpen() ? static_cast<int>(channels_) : 0;
}

double MpvPlaybackControl::MpvVolumeFor(int volume) {
    return 100.0 * std::pow(10.0, volume / 6000.0);
}

void MpvPlaybackControl::SetVolume(int volume) {
    volume_ = volume;
    applyVolumeAndBalance();
}

void MpvPlaybackControl::SetBalance(int balance) {
    balance_ = balance;
    applyVolumeAndBalance();
}

void MpvPlaybackControl::applyVolumeAndBalance() {
    if (!core_)
        return;
    // Both are options of the player, not of one file, so they hold from one file to the next.
    core_->SetDouble("volume", MpvVolumeFor(volume_));
    // The opposite channel is attenuated by |balance| / 100 dB.
    const double attenuation = std::pow(10.0, -std::abs(balance_) / 2000.0);
    const double balanceOut =
        balance_ == 0 ? 0.0 : (balance_ > 0 ? 1.0 - attenuation : attenuation - 1.0);
    const QByteArray filter =
        "@balance:stereotools=balance_out=" + QByteArray::number(balanceOut, 'f', 6);
    if (balanceFilterOn_)
        core_->Command({"af", "remove", "@balance"});
    balanceFilterOn_ = balance_ != 0;
    if (balanceFilterOn_)
        core_->Command({"af", "add", filter.constData()});
}

void MpvPlaybackControl::drainEvents() {
    if (!core_)
        return;
    while (const mpv_event* event = core_->NextEvent()) handleEvent(*event);
}

void MpvPlaybackControl::handleEvent(const mpv_event& event) {
    switch (event.event_id) {
        case MPV_EVENT_START_FILE:
            onStartFile(*static_cast<const mpv_event_start_file*>(event.data));
            break;
        case MPV_EVENT_END_FILE:
            onEndFile(*static_cast<const mpv_event_end_file*>(event.data));
            break;
        case MPV_EVENT_PLAYBACK_RESTART:
            onPlaybackRestart();
            break;
        case MPV_EVENT_IDLE:
            onIdle();
            break;
        case MPV_EVENT_PROPERTY_CHANGE:
            onPropertyChange(event.reply_userdata,
                             *static_cast<const mpv_event_property*>(event.data));
            break;
        default:
            break;
    }
}

void MpvPlaybackControl::onStartFile(const mpv_event_start_file& start) {
    const std::int64_t id = start.playlist_entry_id;
    if (phase_ != Phase::Opening) {
        if (queue_.IsHandOver(id))
            adoptHandOver();
        return;
    }
    if (expectedId_ < 0 || id == expectedId_) {
        entryId_ = id;
        expectingHandOver_ = false;
        enter(Phase::Starting);
        applyQueue();
    } else if (expectingHandOver_) {
        load(fileName_);  // libmpv went elsewhere than the queued file: open it afresh
    }
}

// Nobody asked for the queued file when the last one ended; it plays, so it is the current one.
void MpvPlaybackControl::adoptHandOver() {
    const MpvQueue::Entry entry = queue_.Take();
    fileName_ = entry.path;
    entryId_ = entry.id;
    forgetFile();
    enter(Phase::Starting);
}

void MpvPlaybackControl::onEndFile(const mpv_event_end_file& end) {
    // An end of an earlier file can come after the next one was asked for.
    if (phase_ == Phase::Opening || end.playlist_entry_id != entryId_)
        return;
    if (end.reason == MPV_END_FILE_REASON_ERROR) {
        openFailed_ = !isOpen();
        duration_ = -1.0;
        skipToQueued();
    } else if (end.reason == MPV_END_FILE_REASON_EOF && queue_.HasQueued() && isOpen()) {
        // libmpv goes on to the queued file. The end is reported as always; the SetFileName
        // that follows with the queued path finds it started.
        queue_.HandOver();
        reportEnd();
    } else if (end.reason != MPV_END_FILE_REASON_REDIRECT) {
        enter(Phase::Closed);
    }
}

// libmpv goes on to the queued file as the current one fails. It is kept only when the
// failure, as it is announced, makes the windows ask for it; otherwise libmpv stops.
void MpvPlaybackControl::skipToQueued() {
    queue_.HandOver();
    enter(Phase::Closed);
    if (queue_.HandingOver() && phase_ != Phase::Opening) {
        queue_.Take();
        core_->Command({"stop"});
    }
}

void MpvPlaybackControl::onIdle() {
    // The queued file never started (it was taken out of libmpv's playlist as it ended).
    if (phase_ == Phase::Opening && expectingHandOver_)
        load(fileName_);
}

void MpvPlaybackControl::onPlaybackRestart() {
    if (phase_ != Phase::Starting)
        return;  // a seek, or the start of a file no longer wanted
    // Read once as the file starts, so that its first state change already knows them.
    duration_ = core_->Double("duration", duration_);
    pictureWidth_ = core_->Int("width", pictureWidth_);
    tags_ = core_->Tags();
    if (onOpen_ == OnOpen::Stop)
        enter(Phase::Stopped);
    else
        enter(core_->Flag("pause") ? Phase::Paused : Phase::Playing);
    applyQueue();
    // libmpv's threads for the file before are gone; what they freed goes back to the system
    // instead of staying in their allocator pools, where a long session piles it up. Not
    // while a file opens: the trim holds up libmpv's threads, and a run of files that fail to
    // open would pay it for each.
    malloc_trim(0);
}

void MpvPlaybackControl::onPropertyChange(std::uint64_t id, const mpv_event_property& property) {
    const bool isFlag = property.format == MPV_FORMAT_FLAG;
    const bool isDouble = property.format == MPV_FORMAT_DOUBLE;
    const bool isInt = property.format == MPV_FORMAT_INT64;
    switch (id) {
        case kDurationId:
            if (isDouble && isOpen() && !queue_.HandingOver())
                duration_ = *static_cast<const double*>(property.data);
            break;
        case kTimePosId:
            if (isDouble)
                position_ = *static_cast<const double*>(property.data);
            break;
        case kWidthId:
            pictureWidth_ = isInt ? *static_cast<const std::int64_t*>(property.data) : 0;
            break;
        case kChannelsId:
            // No audio, or none decoded yet, comes as no value at all.
            channels_ = isInt ? *static_cast<const std::int64_t*>(property.data) : 0;
            break;
        case kEofId:
            eofReached_ = isFlag && *static_cast<const int*>(property.data) != 0;
            if (isFlag && isOpen())
                onEofReached(eofReached_);
            break;
        case kPauseId:
            if (isFlag && isOpen() && phase_ != Phase::Ended)
                onPauseChanged(*static_cast<const int*>(property.data) != 0);
            break;
        case kAudioOutId:
            if (property.format == MPV_FORMAT_STRING)
                onAudioOutputChanged(*static_cast<const char* const*>(property.data));
            break;
        default:
            break;
    }
}

void MpvPlaybackControl::onEofReached(bool eof) {
    if (!eof) {
        if (phase_ == Phase::Ended)
            phase_ = Phase::Stopped;  // moved back from the end: shown as stopped all the same
        return;
    }
    if (phase_ == Phase::Ended)
        return;
    if (queue_.HasQueued()) {
        // libmpv goes on to the queued file, and the end is reported as it does. Should the
        // file be held open instead (the queue came too late), say so after a while.
        QTimer::singleShot(kHeldAtEndAfterMs, this, [this, entry = entryId_] {
            if (entry == entryId_ && eofReached_ && isOpen() && phase_ != Phase::Ended &&
                !queue_.HandingOver())
                reportEnd();
        });
        return;
    }
    reportEnd();
}

// The end is announced twice: as the change to the stopped state, then as the end itself.
void MpvPlaybackControl::reportEnd() {
    const bool wasStopped = PlayState() == Stopped;
    enter(Phase::Ended);
    if (!wasStopped)
        emit Ended();
}

void MpvPlaybackControl::onPauseChanged(bool paused) {
    // A stop pauses too, but shows as stopped until playing resumes.
    const bool settled =
        phase_ == Phase::Playing || phase_ == Phase::Paused || phase_ == Phase::Stopped;
    if (settled && !(paused && phase_ == Phase::Stopped))
        enter(paused ? Phase::Paused : Phase::Playing);
}

void MpvPlaybackControl::onAudioOutputChanged(const char* driver) {
    // libmpv fell back to no output: say so once, and play on without sound.
    const bool wantedSound = options_.audioOutput && options_.audioFile.isEmpty();
    if (!wantedSound || silentReported_ || !driver || std::strcmp(driver, "null") != 0)
        return;
    silentReported_ = true;
    std::fprintf(stderr, "solvane: no audio output could be opened; playing without sound\n");
}
