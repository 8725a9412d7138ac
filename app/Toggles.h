#pragma once

#include "platform/Mouse.h"

class frmMain;

// The title-bar buttons (menu, minimise, close, video window), the toggle row with its
// remembered tags, the playlist emblem, and the popup menu's entries.
class Toggles {
  public:
    explicit Toggles(frmMain& main) : main_(main) {}

    void imgMenu_MouseDown(int index, MouseArgs args);
    void imgMenu_MouseUp(int index, MouseArgs args);
    void imgSufRep_MouseDown(int index, MouseArgs args);
    void imgSufRep_MouseUp(int index, MouseArgs args);
    void imgAmp_Click();
    void mnuSkin_Click();
    void mnuExit_Click();

  private:
    frmMain& main_;
};
