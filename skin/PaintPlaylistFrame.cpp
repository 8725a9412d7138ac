#include <QImage>
#include <QRect>
#include <cmath>

#include "platform/PictureBox.h"
#include "skin/PlaylistFace.h"
#include "skin/SkinHost.h"
#include "skin/mdlSkin.h"

namespace {

// One copy step of the frame painter. The painting ends at the first step that fails.
class FramePainter {
  public:
    explicit FramePainter(const QImage& source) : source_(source) {}

    // The cell at its own size.
    bool Copy(PictureBox* to, int x, int y, int sx, int sy, int sw, int sh) {
        return Stretch(to, x, y, sw, sh, sx, sy, sw, sh);
    }

    // From the source point as far as the destination box reaches.
    bool CopyFrom(PictureBox* to, int sx, int sy) {
        if (!to)
            return false;
        return Copy(to, 0, 0, sx, sy, to->ScaleWidthPixels(), to->ScaleHeightPixels());
    }

    bool Stretch(PictureBox* to, int x, int y, int w, int h, int sx, int sy, int sw, int sh) {
        if (!to || source_.isNull() || w < 0 || h < 0 || sw < 0 || sh < 0)
            return false;
        to->PaintPicture(source_, QRect(x, y, w, h), QRect(sx, sy, sw, sh));
        return true;
    }

  private:
    const QImage& source_;
};

bool paintTitleBars(FramePainter& paint, PlaylistFace& pls) {
    for (int k = 0; k <= 1; ++k) {
        PictureBox* bar = pls.Bar[k];
        const int y0 = k == 0 ? 0 : 21;
        const int w = bar->ScaleWidthPixels();
        const int titleX = static_cast<int>(std::floor((w - 100) / 2.0));
        if (!paint.Copy(bar, 0, 0, 0, y0, 25, 21) || !paint.Copy(bar, w - 25, 0, 153, y0, 25, 21) ||
            !paint.Stretch(bar, 25, 0, w - 50, 21, 127, y0, 25, 21) ||
            !paint.Copy(bar, titleX, 0, 26, y0, 100, 21))
            return false;
    }
    return true;
}

bool paintEdges(FramePainter& paint, PlaylistFace& pls) {
    const int w = pls.BotmBar->ScaleWidthPixels();
    return paint.Stretch(pls.LeftBar, 0, 20, 25, pls.LeftBar->ScaleHeightPixels(), 0, 42, 25, 29) &&
           paint.Copy(pls.BotmBar, 0, 0, 0, 72, 125, 38) &&
           paint.Copy(pls.BotmBar, w - 150, 0, 126, 72, 150, 38);
}

bool paintButtonAreas(FramePainter& paint, PlaylistFace& pls) {
    const struct {
        PictureBox* box;
        int sx, sy;
    } areas[] = {{pls.AddBar, 48, 111},  {pls.RemBar, 100, 111},  {pls.SelBar, 150, 111},
                 {pls.MisBar, 200, 111}, {pls.ListBar, 250, 111}, {pls.Addbtn, 14, 80},
                 {pls.Remove, 43, 80},   {pls.Select, 72, 80},    {pls.Misc, 101, 80},
                 {pls.List, 232, 80}};
    for (const auto& area : areas)
        if (!paint.CopyFrom(area.box, area.sx, area.sy))
            return false;
    return true;
}

bool paintMenus(FramePainter& paint, PlaylistFace& pls) {
    const int rows[] = {111, 130, 149};
    const int removeRows[] = {168, 111, 130, 149};
    const struct {
        PictureBox* menu;
        int sx;
    } menus[] = {{pls.AddMen, 0},
                 {pls.RemMen, 54},
                 {pls.SelMen, 104},
                 {pls.MisMen, 154},
                 {pls.ListMen, 204}};
    for (const auto& menu : menus) {
        const bool isRemove = menu.menu == pls.RemMen;
        const int count = isRemove ? 4 : 3;
        for (int i = 0; i < count; ++i) {
            const int sy = isRemove ? removeRows[i] : rows[i];
            if (!paint.Copy(menu.menu, 0, 18 * i, menu.sx, sy, 22, 18))
                return false;
        }
    }
    const auto items = [&](auto& buttons, int sx, const int* sys) {
        for (std::size_t i = 0; i < buttons.size(); ++i)
            if (!paint.Copy(buttons[i], 0, 0, sx, sys[i], 22, 18))
                return false;
        return true;
    };
    return items(pls.ButtonAdd, 23, rows) && items(pls.ButtonRem, 77, removeRows) &&
           items(pls.ButtonSel, 127, rows) && items(pls.ButtonMis, 177, rows) &&
           items(pls.ButtonLst, 227, rows);
}

bool paintTopButtons(FramePainter& paint, PlaylistFace& pls) {
    return paint.Copy(pls.Exit, 0, 0, 167, 3, 9, 9) && paint.Copy(pls.Exit2, 0, 0, 167, 24, 9, 9) &&
           paint.CopyFrom(pls.ExitD, 52, 42) && paint.Copy(pls.Shade, 0, 0, 158, 3, 9, 9) &&
           paint.Copy(pls.Shade2, 0, 0, 158, 24, 9, 9) && paint.CopyFrom(pls.ShadeD, 62, 42);
}

bool paintRightEdge(FramePainter& paint, PlaylistFace& pls) {
    for (PictureBox* tile : pls.RightBar)
        if (!paint.Copy(tile, 0, 0, 26, 42, 25, 29))
            return false;
    return true;
}

}  // namespace

bool mdlSkin::PaintPlaylistFrame(SkinHost& skin) {
    PlaylistFace& pls = skin.SkinPlaylist();
    const QImage source = pls.PLEdit->Picture();
    pls.ListColours = SkinPalette::From(source);
    FramePainter paint(source);
    if (!paintTitleBars(paint, pls) || !paintEdges(paint, pls) || !paintButtonAreas(paint, pls) ||
        !paintMenus(paint, pls) || !paintTopButtons(paint, pls) || !paintRightEdge(paint, pls))
        return false;
    pls.SetFrameSize(pls.Bar[0]->Width(), pls.LeftBar->Height());
    return true;
}
