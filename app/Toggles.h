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
    // Toggles 0 (repeat) and 1 (shuffle) rest on while their mode is on: tag "0", state 2.
    void ShowModes(bool repeat, bool shuffle);
    // A new skin drew every toggle off: the modes' toggles show their modes again.
    void RedrawModes(bool repeat, bool shuffle);
    void imgAmp_Click();
    void mnuSkin_Click();
    void mnuExit_Click();

  private:
    void showMode(int index, bool on);

    frmMain& main_;
};
