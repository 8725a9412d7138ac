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

    std::int16_t VolumeDragX = 0;
    std::int16_t BalanceDragX = 0;

  private:
    frmMain& main_;
};
