#pragma once

#include <QHash>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include "TestForms.h"
#include "platform/PlaybackControl.h"

// A scripted playback control for fast, deterministic tests of the windows. It records the
// commands it gets; tests set its state, position, duration and picture size.
class FakePlaybackControl : public PlaybackControl {
    Q_OBJECT
  public:
    explicit FakePlaybackControl(QObject* parent = nullptr);
    ~FakePlaybackControl() override;

    static ControlFactory Factory(FakePlaybackControl** created = nullptr);

    void Play() override { commands << "play"; }
    void Pause() override { commands << "pause"; }
    void Stop() override { commands << "stop"; }
    void SetFileName(const QString& path) override;
    QString FileName() const override { return fileName; }
    void QueueNext(const QString& path) override { queued = path; }
    double CurrentPosition() const override { return position; }
    void SetCurrentPosition(double seconds) override;
    double Duration() const override { return duration; }
    int PlayState() const override { return state; }
    // Scripted as the contract has it: the position equals the duration.
    bool AtEnd() const override { return position == duration; }
    bool OpenFailed() const override { return openFailed; }
    void SetVolume(int v) override { volume = v; }
    void SetBalance(int b) override { balance = b; }
    int Volume() const override { return volume; }
    int Balance() const override { return balance; }
    int SourcePictureWidth() const override { return pictureWidth; }
    int AudioChannels() const override { return channels; }
    QString Tag(const QString& key) const override { return tags.value(key.toLower()); }
    QWidget* Surface() override;

    // Changes the state and raises the event (and the end, when at it), as the real control
    // does.
    void Become(int newState);
    void EmitMouseDown(MouseArgs a) { emit PictureMouseDown(a); }
    void EmitMouseMove(MouseArgs a) { emit PictureMouseMove(a); }
    void EmitDoubleClick() { emit PictureDoubleClick(); }

    QStringList commands;
    QStringList filesOpened;
    QList<double> seeks;
    QString fileName;
    QString queued;
    double position = 0.0;
    double duration = -1.0;
    int state = Closed;
    bool openFailed = false;
    int volume = 0;
    int balance = 0;
    int pictureWidth = 0;
    int channels = 0;
    QHash<QString, QString> tags;  // by lower-case key

  private:
    QPointer<QWidget> surface_;
};
