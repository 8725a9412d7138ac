#pragma once

#include <QImage>
#include <array>

#include "platform/ImageControl.h"
#include "platform/PictureBox.h"
#include "platform/PictureClip.h"

// What the skin engine draws on the player window: its image controls, the picture-clip
// holders the cells are cut from, the mask, and the few operations a skin load needs.
class MainFace {
  public:
    virtual ~MainFace() = default;

    // Places every skin control at its fixed position and size.
    virtual void MoveControls() = 0;
    // Shapes the window from the mask; a colour below 1 means the mask's top-left pixel.
    virtual void ChangeMask(long& lngTransColor) = 0;
    virtual void SetBackgroundPicture(const QImage& picture) = 0;
    virtual const QImage& BackgroundPicture() const = 0;
    // A skin was put on: every control shows its first cell, so what stands in a state
    // (the modes' toggles) is drawn again by its owner.
    virtual void SkinLoaded() {}

    ImageControl* imgTitlebar = nullptr;
    ImageControl* imgMove = nullptr;
    std::array<ImageControl*, 4> imgMenu{};
    std::array<ImageControl*, 6> imgPlayBut{};
    std::array<ImageControl*, 4> imgSufRep{};
    ImageControl* imgPosBar = nullptr;
    std::array<ImageControl*, 2> imgPosSlide{};
    ImageControl* imgAmp = nullptr;
    ImageControl* imgVolume = nullptr;
    std::array<ImageControl*, 2> imgVolumeBut{};
    ImageControl* imgBalance = nullptr;
    std::array<ImageControl*, 2> imgBalanceBut{};
    std::array<ImageControl*, 2> imgPlayPaus{};
    std::array<ImageControl*, 4> imgNumber{};
    std::array<ImageControl*, 2> imgMonoSter{};
    PictureBox* Mask = nullptr;

    PictureClip clipTitlebar;
    PictureClip clipCButtons;
    PictureClip clipShufRep;
    PictureClip clipPosBar;
    PictureClip clipVolume;
    PictureClip clipBalance;
    PictureClip clipPlayPaus;
    PictureClip clipNumbers;
    PictureClip clipMonoster;
};
