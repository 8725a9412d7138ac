#pragma once

#include <cstdint>
#include <memory>

#include <QByteArray>
#include <QHash>
#include <QPointer>

#include "platform/MpvCore.h"
#include "platform/MpvOptions.h"
#include "platform/MpvQueue.h"
#include "platform/MpvRenderer.h"
#include "platform/PlaybackControl.h"

class VideoSurface;

// The playback control over libmpv. Video is rendered in software into the surface, so the
// render context exists from the start and a file loaded while the window is hidden still
// has its picture. Events come through the wakeup callback, which only queues a call onto
// the GUI thread.
class MpvPlaybackControl : public PlaybackControl {
    Q_OBJECT
  public:
    using Options = MpvOptions;

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
    int PlayState() const override;
    bool IsPlaying() const override;
    bool AtEnd() const override { return phase_ == Phase::Ended; }
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
    // What the control is doing; the play state the windows see follows from it. The file is
    // open in the phases from Playing on.
    enum class Phase {
        Closed,    // nothing open; openFailed_ says whether the last file failed to open
        Opening,   // a file was given and its start in libmpv's playlist is awaited
        Starting,  // it started, and its first frame is awaited
        Playing,
        Paused,
        Stopped,  // paused at the start by Stop, shown as stopped until played again
        Ended,    // played to its end: held open there, or handed over to the queued file
    };
    // A command given while the file opens, which it opens under.
    enum class OnOpen { Play, Pause, Stop };

    bool start();
    QString cannotPlayText() const;
    void observeProperties();
    void reportCannotPlay();
    bool isOpening() const { return phase_ == Phase::Opening || phase_ == Phase::Starting; }
    bool isOpen() const;
    void enter(Phase phase);
    void drainEvents();
    void handleEvent(const mpv_event& event);
    void forgetFile();
    void load(const QString& path);
    void applyQueue();
    void adoptHandOver();
    void onStartFile(const mpv_event_start_file& start);
    void onEndFile(const mpv_event_end_file& end);
    void skipToQueued();
    void onPlaybackRestart();
    void onIdle();
    void onPropertyChange(std::uint64_t id, const mpv_event_property& property);
    void onEofReached(bool eof);
    void reportEnd();
    void onPauseChanged(bool paused);
    void onAudioOutputChanged(const char* driver);
    void applyVolumeAndBalance();

    const Options options_;
    bool started_ = false;
    bool libraryFound_ = false;
    std::unique_ptr<MpvCore> core_;
    std::unique_ptr<MpvRenderer> renderer_;  // declared after the core: goes before it
    MpvQueue queue_;
    QPointer<VideoSurface> surface_;  // owned by the video window once placed there
    QString fileName_;
    Phase phase_ = Phase::Closed;
    bool openFailed_ = false;
    // While opening: the playlist entry whose start is awaited (-1: any), whether it is the
    // queued one already on its way, and the last command given meanwhile.
    std::int64_t expectedId_ = -1;
    bool expectingHandOver_ = false;
    OnOpen onOpen_ = OnOpen::Play;
    std::int64_t entryId_ = -1;  // playlist entry of the current file
    bool eofReached_ = false;    // libmpv's own flag, as last observed
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
