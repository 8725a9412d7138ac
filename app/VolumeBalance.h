#pragma once

#include <cstdint>

#include "platform/Mouse.h"

class frmMain;

// The volume and balance sliders: knobs dragged along their tracks set the control's volume
// and balance, and the track pictures follow the level.
class VolumeBalance {
  public:
    explicit VolumeBalance(frmMain& main) : main_(main) {}

    void imgVolumeBut_MouseDown(int index, MouseArgs args);
    void imgVolumeBut_MouseMove(int index, MouseArgs args);
    void imgVolumeBut_MouseUp(int index, MouseArgs args);
    void imgVolume_MouseDown(MouseArgs args);
    void imgBalanceBut_MouseDown(int index, MouseArgs args);
    void imgBalanceBut_MouseMove(int index, MouseArgs args);
    void imgBalanceBut_MouseUp(int index, MouseArgs args);

    // The knob at a place from 0 (silent) to 1 (full), as if dragged there; and back.
    void SetVolumeFraction(double fraction);
    double VolumeFraction() const;

    std::int16_t VolumeDragX = 0;
    std::int16_t BalanceDragX = 0;

  private:
    float volumeLow() const;
    float volumeHigh() const;
    void placeVolumeKnob(float wanted);

    frmMain& main_;
};
