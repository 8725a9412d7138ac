#pragma once

#include <cstdint>

#include "platform/Mouse.h"

class frmMain;

// The seek bar's mouse handling: dragging the slider along the bar, or pressing the bar, turns
// the slider's place into a playback position.
class SeekBar {
  public:
    explicit SeekBar(frmMain& main) : main_(main) {}

    void imgPosSlide_MouseDown(int index, MouseArgs args);
    void imgPosSlide_MouseMove(int index, MouseArgs args);
    void imgPosSlide_MouseUp(int index, MouseArgs args);
    void imgPosBar_MouseDown(MouseArgs args);

    // Moves the slider to show position of duration; does nothing while the user holds it or
    // while the duration is not known.
    void Follow(double position, double duration);
    // False while a stream plays: it arrives as it plays, so it has no slider and no seeking
    // from the bar, whatever length its first bytes suggest.
    bool Seekable();

    std::int16_t SlideDragX = 0;
    bool blnSeeking = false;

  private:
    void seekFromSlider();
    float travelLow() const;
    float travelHigh() const;

    frmMain& main_;
};
