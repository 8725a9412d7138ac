#pragma once

#include <cstdint>
#include <memory>
#include "platform/Form.h"

#include "platform/PlaybackControl.h"

class Wiring;

// The video window: hosts the playback control's picture, fits it to the client area, docks to
// the right of the main window, can be dragged by its picture, and shows itself for a file with
// a picture and hides for one without. The player owns the control.
class Form1 : public Form {
    Q_OBJECT
  public:
    Form1(Wiring& wiring, PlaybackControl& control);
    ~Form1() override;

    void Form_Load();
    PlaybackControl& mediaPlay() { return mediaPlay_; }
    // A file settled: shown docked when it has a picture, hidden when it has none.
    void ShowPicture(bool hasPicture);

    // Refits the control, only while the main window is in its normal state.
    void Resize();
    void ShowDocked();
    void FitRule();

    // Full screen on the screen the window is on; leaving it docks the window again.
    void SetFullScreen(bool on);
    bool IsFullScreen() const { return fullScreen_; }

    static constexpr float kDockedWidth = 9555.0f;
    static constexpr float kDockedHeight = 7320.0f;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void mediaPlay_MouseDown(MouseArgs args);
    void mediaPlay_MouseMove(MouseArgs args);
    bool mainIsNormal();

    Wiring& wiring_;
    PlaybackControl& mediaPlay_;
    bool fullScreen_ = false;
};
