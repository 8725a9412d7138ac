#include "platform/MpvPlaybackControl.h"

#include <malloc.h>
#include <QByteArray>
#include <QMetaObject>
#include <QTimer>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

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

void MpvPlaybackControl::MpvDeleter::operator()(mpv_handle* handle) const {
    MpvLibrary::Get()->terminate_destroy(handle);
}

void MpvPlaybackControl::RenderDeleter::operator()(mpv_render_context* context) const {
    MpvLibrary::Get()->render_context_free(context);
}

MpvPlaybackControl::MpvPlaybackControl(Options options, QObject* parent)
    : PlaybackControl(parent), options_(options) {}

bool MpvPlaybackControl::IsReady() {
    Prepare();
    return mpv_ != nullptr;
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
    return api_ ? QStringLiteral("the media library libmpv could not be started")
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
    api_ = MpvLibrary::Get(options_.library.constData());
    if (!api_)
        return false;
    // libmpv refuses to start under any numeric locale but "C".
    std::setlocale(LC_NUMERIC, "C");
    mpv_handle* handle = api_->create();
    if (!handle)
        return false;
    mpv_.reset(handle);
    configure(handle);
    if (api_->initialize(handle) < 0) {
        mpv_.reset();
        return false;
    }
    observeProperties(handle);
    if (volume_ != 0 || balance_ != 0)
        applyVolumeAndBalance();
    if (options_.videoOutput)
        createRenderContext(handle);
    api_->set_wakeup_callback(
        handle,
        [](void* self) {
            auto* control = static_cast<MpvPlaybackControl*>(self);
            QMetaObject::invokeMethod(
                control, [control] { control->drainEvents(); }, Qt::QueuedConnection);
        },
        this);
    return true;
}

void MpvPlaybackControl::configure(mpv_handle* handle) {
    const auto option = [this, handle](const char* name, const char* value) {
        api_->set_option_string(handle, name, value);
    };
    option("config", "no");
    option("terminal", "no");
    option("input-default-bindings", "no");
    option("input-vo-keyboard", "no");
    option("osc", "no");
    option("ytdl", "no");
    option("hwdec", "no");
    option("idle", "yes");
    option("keep-open", "yes");
    option("keep-open-pause", "no");  // the end is reported as the end, not as a pause
    // A queued next file is opened ahead of time and its sound joins on without a gap while
    // the format stays the same; a file in another format reopens the output rather than
    // being resampled to the first file's.
    option("prefetch-playlist", "yes");
    option("gapless-audio", "weak");
    option("audio-display", "no");  // cover art is no picture
    // Without a sound device a file still plays, silently, and the list goes on.
    option("audio-fallback-to-null", "yes");
    option("vo", options_.videoOutput ? "libmpv" : "null");
    const QByteArray driver = options_.audioDriver.toUtf8();
    if (!driver.isEmpty())
        option("ao", driver.constData());
    const QByteArray device = options_.audioDevice.toUtf8();
    if (!device.isEmpty())
        option("audio-device", device.constData());
    if (!options_.audioOutput)
        option("ao", "null");
    const QByteArray audioFile = options_.audioFile.toUtf8();
    if (!audioFile.isEmpty()) {
        option("ao", "pcm");
        option("ao-pcm-file", audioFile.constData());
        option("ao-pcm-waveheader", "yes");
    }
}

void MpvPlaybackControl::observeProperties(mpv_handle* handle) {
    api_->observe_property(handle, kPauseId, "pause", MPV_FORMAT_FLAG);
    api_->observe_property(handle, kEofId, "eof-reached", MPV_FORMAT_FLAG);
    api_->observe_property(handle, kDurationId, "duration", MPV_FORMAT_DOUBLE);
    api_->observe_property(handle, kTimePosId, "time-pos", MPV_FORMAT_DOUBLE);
    api_->observe_property(handle, kWidthId, "width", MPV_FORMAT_INT64);
    api_->observe_property(handle, kAudioOutId, "current-ao", MPV_FORMAT_STRING);
    api_->observe_property(handle, kChannelsId, "audio-params/channel-count", MPV_FORMAT_INT64);
}

void MpvPlaybackControl::createRenderContext(mpv_handle* handle) {
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_SW)},
        {MPV_RENDER_PARAM_INVALID, nullptr}};
    mpv_render_context* context = nullptr;
    if (api_->render_context_create(&context, handle, params) < 0)
        return;
    render_.reset(context);
    api_->render_context_set_update_callback(
        context,
        [](void* self) {
            auto* control = static_cast<MpvPlaybackControl*>(self);
            QMetaObject::invokeMethod(
                control, [control] { control->renderFrame(); }, Qt::QueuedConnection);
        },
        this);
}

MpvPlaybackControl::~MpvPlaybackControl() {
    if (render_)
        api_->render_context_set_update_callback(render_.get(), nullptr, nullptr);
    if (mpv_)
        api_->set_wakeup_callback(mpv_.get(), nullptr, nullptr);
    render_.reset();
    mpv_.reset();
}

QWidget* MpvPlaybackControl::Surface() {
    if (!surface_) {
        surface_ = new VideoSurface();  // the video window takes ownership when it places it
        connect(surface_, &VideoSurface::MouseDown, this, &PlaybackControl::PictureMouseDown);
        connect(surface_, &VideoSurface::MouseMove, this, &PlaybackControl::PictureMouseMove);
        connect(surface_, &VideoSurface::DoubleClicked, this, &PlaybackControl::PictureDoubleClick);
    }
    return surface_;
}

void MpvPlaybackControl::command(std::initializer_list<const char*> args) {
    if (!mpv_)
        return;
    std::vector<const char*> list(args);
    list.push_back(nullptr);
    api_->command(mpv_.get(), list.data());
}

void MpvPlaybackControl::setFlag(const char* name, bool value) {
    if (!mpv_)
        return;
    int flag = value ? 1 : 0;
    api_->set_property(mpv_.get(), name, MPV_FORMAT_FLAG, &flag);
}

// While a file opens, a command takes effect through libmpv's pause flag, which the file
// opens under, and the state it settles in once open.
void MpvPlaybackControl::Play() {
    Prepare();
    if (!mpv_)
        reportCannotPlay();
    if (state_ == Waiting) {
        onOpen_ = OnOpen::Play;
        setFlag("pause", false);
        return;
    }
    if (!loaded_)
        return;
    if (atEnd_)
        SetCurrentPosition(0.0);
    setFlag("pause", false);
    // From the end (or a stop with pause already off) no pause change follows to report it.
    if (state_ == Stopped)
        setState(Playing);
}

void MpvPlaybackControl::Pause() {
    if (state_ == Waiting)
        onOpen_ = OnOpen::Pause;
    else if (!loaded_)
        return;
    setFlag("pause", true);
}

void MpvPlaybackControl::Stop() {
    if (state_ == Waiting) {
        onOpen_ = OnOpen::Stop;
        setFlag("pause", true);
        return;
    }
    if (!loaded_)
        return;
    setFlag("pause", true);
    SetCurrentPosition(0.0);
    setState(Stopped);
}

void MpvPlaybackControl::forgetFile() {
    onOpen_ = OnOpen::Play;
    openFailed_ = false;
    loaded_ = false;
    atEnd_ = false;
    duration_ = -1.0;
    position_ = 0.0;
    pictureWidth_ = 0;
    channels_ = 0;
    tags_.clear();
}

void MpvPlaybackControl::SetFileName(const QString& path) {
    fileName_ = path;
    Prepare();
    if (!mpv_) {
        reportCannotPlay();
        return;
    }
    forgetFile();
    nextPath_.clear();  // the wish was for the file before
    awaitingStart_ = true;
    if (handOverId_ >= 0 && path == handOverPath_) {
        // libmpv went on to this file by itself at the end of the last one: it plays already.
        expectedId_ = handOverId_;
        expectingHandOver_ = true;
        handOverId_ = -1;
    } else {
        load(path);
    }
    setState(Waiting);
}

void MpvPlaybackControl::load(const QString& path) {
    handOverId_ = -1;
    queuedId_ = -1;  // a replacing load empties libmpv's playlist
    expectingHandOver_ = false;
    // pause survives a load; a new file starts playing.
    setFlag("pause", false);
    const QByteArray file = path.toUtf8();
    command({"loadfile", file.constData(), "replace"});
    ++loads_;
    expectedId_ = entryIdAt("0");
}

std::int64_t MpvPlaybackControl::entryIdAt(const char* index) {
    std::int64_t id = -1;
    const QByteArray name = QByteArray("playlist/") + index + "/id";
    if (api_->get_property(mpv_.get(), name.constData(), MPV_FORMAT_INT64, &id) < 0)
        return -1;
    return id;
}

void MpvPlaybackControl::QueueNext(const QString& path) {
    nextPath_ = path;
    applyQueue();
}

// A file that is still opening has the next one queued too, so that libmpv goes straight on
// to it should the file fail, as it does in its own playlist. Not while libmpv is going over
// to a handed-over file by itself: its playlist is in motion until that file starts.
void MpvPlaybackControl::applyQueue() {
    const bool settled = loaded_ || (state_ == Waiting && !expectingHandOver_);
    if (!mpv_ || !settled || atEnd_ || handOverId_ >= 0)
        return;
    if (queuedId_ >= 0 && queuedPath_ == nextPath_)
        return;
    command({"playlist-clear"});  // all but the current entry: one queued file at most
    queuedId_ = -1;
    queuedPath_.clear();
    if (nextPath_.isEmpty())
        return;
    const QByteArray file = nextPath_.toUtf8();
    command({"loadfile", file.constData(), "append"});
    std::int64_t count = 0;
    api_->get_property(mpv_.get(), "playlist-count", MPV_FORMAT_INT64, &count);
    if (count < 2)
        return;  // not appended
    queuedId_ = entryIdAt(QByteArray::number(count - 1).constData());
    if (queuedId_ >= 0)
        queuedPath_ = nextPath_;
}

double MpvPlaybackControl::CurrentPosition() const {
    if (!mpv_ || !loaded_)
        return 0.0;
    if (atEnd_)
        return duration_;
    double position = position_;
    // Equal to the duration only at the end of the media.
    if (duration_ > 0.0 && position >= duration_)
        position = std::nextafter(duration_, 0.0);
    return std::max(position, 0.0);
}

void MpvPlaybackControl::SetCurrentPosition(double seconds) {
    if (!loaded_ || !std::isfinite(seconds))
        return;
    if (atEnd_ && (duration_ < 0.0 || seconds < duration_)) {
        atEnd_ = false;
        applyQueue();  // held open at its end, the file had nothing queued
    }
    // Shown at once: the observed position follows when the seek is done.
    position_ = std::max(seconds, 0.0);
    const QByteArray target = QByteArray::number(position_, 'f', 3);
    command({"seek", target.constData(), "absolute+exact"});
    emit Seeked(position_);
}

double MpvPlaybackControl::Duration() const {
    return loaded_ ? duration_ : -1.0;
}

int MpvPlaybackControl::SourcePictureWidth() const {
    if (!mpv_ || !loaded_)
        return 0;
    return static_cast<int>(pictureWidth_);
}

int MpvPlaybackControl::AudioChannels() const {
    if (!mpv_ || !loaded_)
        return 0;
    return static_cast<int>(channels_);
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
    if (!mpv_)
        return;
    // Both are options of the player, not of one file, so they hold from one file to the next.
    double level = MpvVolumeFor(volume_);
    api_->set_property(mpv_.get(), "volume", MPV_FORMAT_DOUBLE, &level);
    // The opposite channel is attenuated by |balance| / 100 dB.
    const double attenuation = std::pow(10.0, -std::abs(balance_) / 2000.0);
    const double balanceOut =
        balance_ == 0 ? 0.0 : (balance_ > 0 ? 1.0 - attenuation : attenuation - 1.0);
    const QByteArray filter =
        "@balance:stereotools=balance_out=" + QByteArray::number(balanceOut, 'f', 6);
    if (balanceFilterOn_)
        command({"af", "remove", "@balance"});
    balanceFilterOn_ = balance_ != 0;
    if (balanceFilterOn_)
        command({"af", "add", filter.constData()});
}

void MpvPlaybackControl::setState(int state) {
    if (state == state_)
        return;
    const int old = state_;
    state_ = state;
    emit StateChange(old, state);
}

void MpvPlaybackControl::drainEvents() {
    if (!mpv_)
        return;
    for (;;) {
        const mpv_event* event = api_->wait_event(mpv_.get(), 0);
        if (!event || event->event_id == MPV_EVENT_NONE)
            break;
        handleEvent(*event);
    }
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
    if (!awaitingStart_) {
        if (handOverId_ >= 0 && id == handOverId_)
            adoptHandOver();
        return;
    }
    if (expectedId_ < 0 || id == expectedId_) {
        entryId_ = id;
        awaitingStart_ = false;
        expectingHandOver_ = false;
        applyQueue();
    } else if (expectingHandOver_) {
        load(fileName_);  // libmpv went elsewhere than the queued file: open it afresh
    }
}

// The current file ended or failed, and libmpv goes on to the queued one; the SetFileName
// that follows with the queued path finds it started.
void MpvPlaybackControl::handOver() {
    handOverId_ = queuedId_;
    handOverPath_ = queuedPath_;
    queuedId_ = -1;
    queuedPath_.clear();
    nextPath_.clear();
}

// Nobody asked for the queued file when the last one ended; it plays, so it is the current one.
void MpvPlaybackControl::adoptHandOver() {
    fileName_ = handOverPath_;
    entryId_ = handOverId_;
    handOverId_ = -1;
    forgetFile();
    setState(Waiting);
}

void MpvPlaybackControl::onEndFile(const mpv_event_end_file& end) {
    // An end of an earlier file can come after the next one was asked for.
    if (awaitingStart_ || end.playlist_entry_id != entryId_)
        return;
    if (end.reason == MPV_END_FILE_REASON_ERROR) {
        openFailed_ = !loaded_;
        loaded_ = false;
        duration_ = -1.0;
        skipToQueued();
    } else if (end.reason == MPV_END_FILE_REASON_EOF && queuedId_ >= 0 && loaded_) {
        handOver();
        reportEnd();  // as always: position equal to duration, a state change
    } else if (end.reason != MPV_END_FILE_REASON_REDIRECT) {
        loaded_ = false;
        setState(Closed);
    }
}

// libmpv goes on to the queued file as the current one fails. It is kept only when the
// failure, as it is announced, makes the windows ask for it; otherwise libmpv stops.
void MpvPlaybackControl::skipToQueued() {
    handOver();
    setState(Closed);
    if (handOverId_ >= 0 && !awaitingStart_) {
        handOverId_ = -1;
        command({"stop"});
    }
}

void MpvPlaybackControl::onIdle() {
    // The queued file never started (it was taken out of libmpv's playlist as it ended).
    if (awaitingStart_ && expectingHandOver_)
        load(fileName_);
}

void MpvPlaybackControl::onPlaybackRestart() {
    if (awaitingStart_)
        return;
    if (!loaded_) {
        loaded_ = true;
        // Read once as the file starts, so that its first state change already knows them.
        double duration = -1.0;
        if (api_->get_property(mpv_.get(), "duration", MPV_FORMAT_DOUBLE, &duration) >= 0)
            duration_ = duration;
        std::int64_t width = 0;
        if (api_->get_property(mpv_.get(), "width", MPV_FORMAT_INT64, &width) >= 0)
            pictureWidth_ = width;
        readTags();
        applyQueue();
    }
    if (state_ == Waiting) {
        int paused = 0;
        api_->get_property(mpv_.get(), "pause", MPV_FORMAT_FLAG, &paused);
        setState(onOpen_ == OnOpen::Stop ? Stopped : paused ? Paused : Playing);
        // libmpv's threads for the file before are gone; what they freed goes back to the
        // system instead of staying in their allocator pools, where a long session piles it
        // up. Not while a file opens: the trim holds up libmpv's threads, and a run of files
        // that fail to open would pay it for each.
        malloc_trim(0);
    }
}

void MpvPlaybackControl::readTags() {
    tags_.clear();
    mpv_node metadata{};
    if (api_->get_property(mpv_.get(), "metadata", MPV_FORMAT_NODE, &metadata) < 0)
        return;
    if (metadata.format == MPV_FORMAT_NODE_MAP && metadata.u.list) {
        const mpv_node_list& list = *metadata.u.list;
        for (int i = 0; i < list.num; ++i) {
            const mpv_node& value = list.values[i];
            if (value.format == MPV_FORMAT_STRING && list.keys[i] && value.u.string)
                tags_.insert(QString::fromUtf8(list.keys[i]).toLower(),
                             QString::fromUtf8(value.u.string));
        }
    }
    api_->free_node_contents(&metadata);
}

void MpvPlaybackControl::onPropertyChange(std::uint64_t id, const mpv_event_property& property) {
    const bool isFlag = property.format == MPV_FORMAT_FLAG;
    const bool isDouble = property.format == MPV_FORMAT_DOUBLE;
    switch (id) {
        case kDurationId:
            if (isDouble && loaded_ && handOverId_ < 0)
                duration_ = *static_cast<const double*>(property.data);
            break;
        case kTimePosId:
            if (isDouble)
                position_ = *static_cast<const double*>(property.data);
            break;
        case kWidthId:
            pictureWidth_ = property.format == MPV_FORMAT_INT64
                                ? *static_cast<const std::int64_t*>(property.data)
                                : 0;
            break;
        case kChannelsId:
            // No audio, or none decoded yet, comes as no value at all.
            channels_ = property.format == MPV_FORMAT_INT64
                            ? *static_cast<const std::int64_t*>(property.data)
                            : 0;
            break;
        case kEofId:
            eofReached_ = isFlag && *static_cast<const int*>(property.data) != 0;
            if (isFlag && loaded_)
                onEofReached(eofReached_);
            break;
        case kPauseId:
            if (isFlag && loaded_ && !atEnd_)
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
    if (eof && !atEnd_) {
        if (queuedId_ >= 0) {
            // libmpv goes on to the queued file, and the end is reported as it does. Should
            // the file be held open instead (the queue came too late), say so after a while.
            QTimer::singleShot(kHeldAtEndAfterMs, this, [this, entry = entryId_] {
                if (entry == entryId_ && eofReached_ && loaded_ && !atEnd_ && handOverId_ < 0)
                    reportEnd();
            });
            return;
        }
        reportEnd();
    } else if (!eof) {
        atEnd_ = false;
    }
}

void MpvPlaybackControl::reportEnd() {
    atEnd_ = true;
    setState(Stopped);
}

void MpvPlaybackControl::onPauseChanged(bool paused) {
    // A stop pauses too, but shows as stopped until playing resumes.
    const bool settled = state_ == Playing || state_ == Paused || state_ == Stopped;
    if (settled && !(paused && state_ == Stopped))
        setState(paused ? Paused : Playing);
}

void MpvPlaybackControl::onAudioOutputChanged(const char* driver) {
    // libmpv fell back to no output: say so once, and play on without sound.
    const bool wantedSound = options_.audioOutput && options_.audioFile.isEmpty();
    if (!wantedSound || silentReported_ || !driver || std::strcmp(driver, "null") != 0)
        return;
    silentReported_ = true;
    std::fprintf(stderr, "solvane: no audio output could be opened; playing without sound\n");
}

void MpvPlaybackControl::renderFrame() {
    if (!render_)
        return;
    if (!(api_->render_context_update(render_.get()) & MPV_RENDER_UPDATE_FRAME))
        return;
    QSize size = surface_ ? surface_->DeviceSize() : QSize();
    if (size.width() < 16 || size.height() < 16)
        size = QSize(16, 16);
    QImage frame(size, QImage::Format_RGB32);
    if (surface_)
        frame.setDevicePixelRatio(surface_->devicePixelRatioF());
    int dims[2] = {size.width(), size.height()};
    std::size_t stride = static_cast<std::size_t>(frame.bytesPerLine());
    char format[] = "bgr0";  // the byte order of a 32-bit pixel here
    mpv_render_param params[] = {{MPV_RENDER_PARAM_SW_SIZE, dims},
                                 {MPV_RENDER_PARAM_SW_FORMAT, format},
                                 {MPV_RENDER_PARAM_SW_STRIDE, &stride},
                                 {MPV_RENDER_PARAM_SW_POINTER, frame.bits()},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    if (api_->render_context_render(render_.get(), params) >= 0 && surface_)
        surface_->SetFrame(std::move(frame));
}
