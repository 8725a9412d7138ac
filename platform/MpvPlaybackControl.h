#pragma once

#include <cstdint>
#include <memory>

#include <QByteArray>
#include <QHash>
#include <QPointer>

#include "platform/MpvLibrary.h"
#include "platform/PlaybackControl.h"

class VideoSurface;

// The playback control over libmpv. Video is rendered in software into the surface, so the
// render context exists from the start and a file loaded while the window is hidden still
// has its picture. Events come through the wakeup callback, which only queues a call onto
// the GUI thread.
class MpvPlaybackControl : public PlaybackControl {
    Q_OBJECT
  public:
    struct Options {
        bool audioOutput = true;
        bool videoOutput = true;
        QString audioFile;    // when set, the audio goes into this WAV file instead of a device
        QString audioDriver;  // libmpv's audio output to try first; its default when empty
        QString audioDevice;  // and its device; the default device when empty
        QByteArray library = MpvLibrary::kDefaultName;  // the libmpv to open

        // Without sound (and, unless asked, with video).
        static Options Silent(bool video = true) {
            Options options;
            options.audioOutput = false;
            options.videoOutput = video;
            return options;
        }
        // Sound into a WAV file, no video.
        static Options IntoWav(const QString& file) {
            Options options;
            options.videoOutput = false;
            options.audioFile = file;
            return options;
        }
    };

    explicit MpvPlaybackControl(Options options, QObject* parent = nullptr);
    explicit MpvPlaybackControl(QObject* parent = nullptr)
        : MpvPlaybackControl(Options{}, parent) {}
    ~MpvPlaybackControl() override;

    // Starts the core if it has not started yet; false when libmpv could not start.
    bool IsReady();
    void Prepare() override;

    void Play() override;
    void Pause() override;
    void Stop() override;
    void SetFileName(const QString& path) override;
    QString FileName() const override { return fileName_; }
    // The next file waits in libmpv's own playlist, so that libmpv opens it ahead of time and
    // its sound follows the current file's without a gap.
    void QueueNext(const QString& path) override;
    // How many files were opened afresh, as against joined on from the queue.
    int Loads() const { return loads_; }
    double CurrentPosition() const override;
    void SetCurrentPosition(double seconds) override;
    double Duration() const override;
    int PlayState() const override { return state_; }
    bool IsPlaying() const override {
        return state_ == Playing || (state_ == Waiting && onOpen_ == OnOpen::Play);
    }
    bool OpenFailed() const override { return openFailed_; }
    void SetVolume(int volume) override;
    void SetBalance(int balance) override;
    int Volume() const override { return volume_; }
    int Balance() const override { return balance_; }
    int SourcePictureWidth() const override;
    int AudioChannels() const override;
    QString Tag(const QString& key) const override { return tags_.value(key.toLower()); }
    QWidget* Surface() override;

    static constexpr int kHeldAtEndAfterMs = 500;

    // libmpv's own volume (0 to 100, cubic) for a volume in hundredths of a decibel.
    static double MpvVolumeFor(int volume);

  private:
    struct MpvDeleter {
        void operator()(mpv_handle* handle) const;
    };
    struct RenderDeleter {
        void operator()(mpv_render_context* context) const;
    };

    bool start();
    QString cannotPlayText() const;
    void configure(mpv_handle* handle);
    void observeProperties(mpv_handle* handle);
    void createRenderContext(mpv_handle* handle);
    void reportCannotPlay();
    void drainEvents();
    void handleEvent(const mpv_event& event);
    void forgetFile();
    void load(const QString& path);
    std::int64_t entryIdAt(const char* index);
    void applyQueue();
    void handOver();
    void skipToQueued();
    void adoptHandOver();
    void onStartFile(const mpv_event_start_file& start);
    void onEndFile(const mpv_event_end_file& end);
    void onPlaybackRestart();
    void readTags();
    void onIdle();
    void onPropertyChange(std::uint64_t id, const mpv_event_property& property);
    void onEofReached(bool eof);
    void reportEnd();
    void onPauseChanged(bool paused);
    void onAudioOutputChanged(const char* driver);
    void setState(int state);
    void applyVolumeAndBalance();
    void renderFrame();
    void command(std::initializer_list<const char*> args);
    void setFlag(const char* name, bool value);

    const Options options_;
    const MpvLibrary* api_ = nullptr;
    std::unique_ptr<mpv_handle, MpvDeleter> mpv_;
    std::unique_ptr<mpv_render_context, RenderDeleter> render_;  // freed before the core
    QPointer<VideoSurface> surface_;  // owned by the video window once placed there
    QString fileName_;
    bool started_ = false;
    int state_ = Closed;
    bool openFailed_ = false;
    bool loaded_ = false;  // the current file is open and has started
    bool atEnd_ = false;
    bool eofReached_ = false;     // libmpv's own flag, as last observed
    bool awaitingStart_ = false;  // a file was given and its start is not yet seen
    enum class OnOpen { Play, Pause, Stop };
    OnOpen onOpen_ = OnOpen::Play;    // the last command given while the file opens
    std::int64_t expectedId_ = -1;    // the playlist entry whose start is awaited, -1: any
    bool expectingHandOver_ = false;  // that entry is the queued one, already on its way
    std::int64_t entryId_ = -1;       // playlist entry of the current file
    // The next file: as asked for, as queued in libmpv after the current entry, and as handed
    // over to when the current file ended (not yet confirmed by SetFileName).
    QString nextPath_;
    QString queuedPath_;
    std::int64_t queuedId_ = -1;
    QString handOverPath_;
    std::int64_t handOverId_ = -1;
    int loads_ = 0;
    double duration_ = -1.0;
    double position_ = 0.0;          // observed, so no read waits on the core
    std::int64_t pictureWidth_ = 0;  // observed likewise
    std::int64_t channels_ = 0;      // observed likewise
    QHash<QString, QString> tags_;   // by lower-case key, read once as the file starts
    bool cannotPlayReported_ = false;
    bool silentReported_ = false;
    int volume_ = 0;
    int balance_ = 0;
    bool balanceFilterOn_ = false;
};
