#pragma once

#include <array>

#include "platform/PictureBox.h"
#include "skin/SkinPalette.h"

// What the skin engine paints on the playlist window: the frame boxes, the button menus and
// the playlist bitmap they are cut from.
class PlaylistFace {
  public:
    virtual ~PlaylistFace() = default;

    // The window takes the size of the painted frame (twips).
    virtual void SetFrameSize(float width, float height) = 0;

    std::array<PictureBox*, 2> Bar{};
    PictureBox* LeftBar = nullptr;
    std::array<PictureBox*, 8> RightBar{};
    PictureBox* BotmBar = nullptr;
    PictureBox* Exit = nullptr;
    PictureBox* Exit2 = nullptr;
    PictureBox* ExitD = nullptr;
    PictureBox* Shade = nullptr;
    PictureBox* Shade2 = nullptr;
    PictureBox* ShadeD = nullptr;
    PictureBox* Addbtn = nullptr;
    PictureBox* Remove = nullptr;
    PictureBox* Select = nullptr;
    PictureBox* Misc = nullptr;
    PictureBox* List = nullptr;
    PictureBox* AddMen = nullptr;
    PictureBox* RemMen = nullptr;
    PictureBox* SelMen = nullptr;
    PictureBox* MisMen = nullptr;
    PictureBox* ListMen = nullptr;
    std::array<PictureBox*, 3> ButtonAdd{};
    std::array<PictureBox*, 4> ButtonRem{};
    std::array<PictureBox*, 3> ButtonSel{};
    std::array<PictureBox*, 3> ButtonMis{};
    std::array<PictureBox*, 3> ButtonLst{};
    PictureBox* AddBar = nullptr;
    PictureBox* RemBar = nullptr;
    PictureBox* SelBar = nullptr;
    PictureBox* MisBar = nullptr;
    PictureBox* ListBar = nullptr;
    PictureBox* PLEdit = nullptr;
    PictureBox* BASEPLEdit = nullptr;

    // The list's and the menus' colours, sampled from PLEdit each time the frame is painted.
    SkinPalette ListColours;
};
