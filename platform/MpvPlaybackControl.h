#pragma once

#include <cstdint>
#include <memory>

#include "platform/PlaybackControl.h"

struct mpv_handle;
struct mpv_render_context;
struct mpv_event;
class MpvLibrary;
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
        QString audioFile;  // when set, the audio goes into this WAV file instead of a device
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
    double CurrentPosition() const override;
    void SetCurrentPosition(double seconds) override;
    double Duration() const override;
    int PlayState() const override { return state_; }
    bool OpenFailed() const override { return openFailed_; }
    void SetVolume(int volume) override;
    void SetBalance(int balance) override;
    int Volume() const override { return volume_; }
    int Balance() const override { return balance_; }
    int SourcePictureWidth() const override;
    QWidget* Surface() override;

    // libmpv's own volume (0 to 100, cubic) for a volume in hundredths of a decibel.
    static double MpvVolumeFor(int volume);

  private:
    struct MpvDeleter {
        void operator()(mpv_handle* handle) const;
    };
    struct RenderDeleter {
        void operator()(mpv_render_context* context) const;
    };

    void start();
    void drainEvents();
    void handleEvent(const mpv_event& event);
    void setState(int state);
    void applyVolumeAndBalance();
    void renderFrame();
    void command(std::initializer_list<const char*> args);
    void setFlag(const char* name, bool value);

    const Options options_;
    const MpvLibrary* api_ = nullptr;
    std::unique_ptr<mpv_handle, MpvDeleter> mpv_;
    std::unique_ptr<mpv_render_context, RenderDeleter> render_;  // freed before the core
    VideoSurface* surface_ = nullptr;
    QString fileName_;
    bool started_ = false;
    int state_ = Closed;
    bool openFailed_ = false;
    bool loaded_ = false;  // the current file is open and has started
    bool atEnd_ = false;
    bool awaitingStart_ = false;  // a file was given and its start is not yet seen
    std::int64_t entryId_ = -1;   // playlist entry of the current file
    double duration_ = -1.0;
    int volume_ = 0;
    int balance_ = 0;
    bool balanceFilterOn_ = false;
};
