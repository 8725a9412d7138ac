#pragma once

#include <cstdint>
#include <memory>
#include "platform/Form.h"

#include "platform/PlaybackControl.h"

class Wiring;

// The video window: hosts the playback control, fits it to the client area, docks to the right
// of the main window, can be dragged by its picture, and shows or hides itself (and advances
// the playlist) when the control's state changes.
class Form1 : public Form {
    Q_OBJECT
  public:
    Form1(Wiring& wiring, std::unique_ptr<PlaybackControl> control);
    ~Form1() override;

    void Form_Load();
    PlaybackControl& mediaPlay() { return *mediaPlay_; }

    // Refits the control, only while the main window is in its normal state.
    void Resize();
    void ShowDocked();
    void FitRule();

    // Full screen on the screen the window is on; leaving it docks the window again.
    void SetFullScreen(bool on);
    bool IsFullScreen() const { return fullScreen_; }

    static constexpr float kDockedWidth = 9555.0f;
    static constexpr float kDockedHeight = 7320.0f;

  signals:
    // What the control's state changes mean for the playlist.
    void EntryEnded();
    void EntryFailedToOpen();
    void EntryPlaying();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void mediaPlay_MouseDown(MouseArgs args);
    void mediaPlay_MouseMove(MouseArgs args);
    void mediaPlay_StateChange();
    bool mainIsNormal();

    Wiring& wiring_;
    std::unique_ptr<PlaybackControl> mediaPlay_;
    bool fullScreen_ = false;
};
