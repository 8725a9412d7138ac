#include "skin/mdlSkin.h"

#include <QImage>
#include <cmath>
#include <optional>

#include "app/Forms.h"
#include "app/frmMain.h"
#include "platform/APIINISystem.h"
#include "platform/Bitmap.h"
#include "platform/Paths.h"
#include "playlist/FormPLS.h"
#include "skin/SpriteTable.h"

namespace {

SpriteTable& table() {
    static SpriteTable sprites;
    return sprites;
}

PictureClip* holderOf(frmMain& main, int kind) {
    switch (kind) {
        case 1:
            return &main.clipCButtons;
        case 2:
            return &main.clipTitlebar;
        case 3:
            return &main.clipShufRep;
        case 4:
            return &main.clipPosBar;
        case 5:
            return &main.clipVolume;
        case 6:
            return &main.clipBalance;
        case 7:
            return &main.clipPlayPaus;
        case 8:
            return &main.clipNumbers;
        case 9:
            return &main.clipMonoster;
        default:
            return nullptr;
    }
}

template <std::size_t N>
ImageControl* item(const std::array<ImageControl*, N>& controls, int i) {
    return i >= 0 && i < static_cast<int>(N) ? controls[i] : nullptr;
}

ImageControl* destinationOf(frmMain& main, int kind, int index, int state) {
    switch (kind) {
        case 1:
            return item(main.imgPlayBut, index - 1);
        case 2:
            if (index >= 1 && index <= 3)
                return main.imgTitlebar;
            return item(main.imgMenu, index - 4);
        case 3:
            return item(main.imgSufRep, index - 1);
        case 4:
            if (index == 1)
                return main.imgPosBar;
            return index == 2 ? main.imgPosSlide[0] : nullptr;
        case 5:
            if (index >= 1 && index <= 28)
                return main.imgVolume;
            return index == 29 || index == 30 ? main.imgVolumeBut[0] : nullptr;
        case 6:
            if (index >= 1 && index <= 28)
                return main.imgBalance;
            return index == 29 || index == 30 ? main.imgBalanceBut[0] : nullptr;
        case 7:
            if (index >= 1 && index <= 4)
                return main.imgPlayPaus[1];
            return index == 5 || index == 6 ? main.imgPlayPaus[0] : nullptr;
        case 8:
            return item(main.imgNumber, state);
        case 9:
            return item(main.imgMonoSter, index - 1);
        default:
            return nullptr;
    }
}

// A bitmap that cannot be read leaves its place as it was.
std::optional<QImage> loadBitmap(const QString& path, const char* fileName) {
    QImage picture =
        Bitmap::Load(Paths::ToFileSystem(path + QLatin1Char('/') + QLatin1String(fileName)));
    if (picture.isNull())
        return std::nullopt;
    return picture;
}

void loadInto(PictureClip& holder, const QString& path, const char* fileName) {
    if (auto picture = loadBitmap(path, fileName))
        holder.SetPicture(*picture);
}

// Text to a 16-bit integer: a decimal number rounded half to even, or nothing.
std::optional<int> toInteger16(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value);
    if (rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    return static_cast<int>(rounded);
}

long composeColour(int red, int green, int blue) {
    const auto part = [](int v) { return static_cast<long>(v < 0 ? 0 : (v > 255 ? 255 : v)); };
    return part(red) + 256L * part(green) + 65536L * part(blue);
}

void fitDragArea(frmMain& main) {
    main.imgMove->Move(0.0f, 0.0f, main.Mask->ScaleWidth(), main.Mask->ScaleHeight());
}

void drawFirstLooks(Forms& forms) {
    for (int i = 1; i <= 6; ++i) mdlSkin::DrawSprite(forms, 1, i, 0);
    for (int i = 3; i <= 7; ++i) mdlSkin::DrawSprite(forms, 2, i, 0);
    for (int i = 1; i <= 4; ++i) mdlSkin::DrawSprite(forms, 3, i, 0);
    mdlSkin::DrawSprite(forms, 4, 1, 0);
    mdlSkin::DrawSprite(forms, 4, 2, 0);
    mdlSkin::DrawSprite(forms, 5, 14, 0);
    mdlSkin::DrawSprite(forms, 5, 29, 0);
    mdlSkin::DrawSprite(forms, 6, 1, 0);
    mdlSkin::DrawSprite(forms, 6, 29, 0);
    mdlSkin::DrawSprite(forms, 7, 1, 0);
    mdlSkin::DrawSprite(forms, 7, 6, 0);
    for (int position = 0; position <= 3; ++position) mdlSkin::DrawSprite(forms, 8, 0, position);
    mdlSkin::DrawSprite(forms, 9, 1, 0);
    mdlSkin::DrawSprite(forms, 9, 2, 0);
}

}  // namespace

const SpriteTable& mdlSkin::Sprites() {
    return table();
}

void mdlSkin::FillSpriteTable() {
    table().Fill();
}

void mdlSkin::DrawSprite(Forms& forms, int kind, int index, int state) {
    frmMain& main = forms.Main();
    PictureClip* holder = holderOf(main, kind);
    if (!holder)
        return;
    if (const auto cell = table().Lookup(kind, index, state)) {
        holder->SetClipX(cell->x);
        holder->SetClipY(cell->y);
        holder->SetClipWidth(cell->width);
        holder->SetClipHeight(cell->height);
    }
    ImageControl* destination = destinationOf(main, kind, index, state);
    if (destination && holder->HasPicture())
        destination->SetPicture(holder->Clip());
}

void mdlSkin::LoadSkin(Forms& forms, const QString& path) {
    frmMain& main = forms.Main();
    main.MoveControls();
    FillSpriteTable();
    // One read of main.bmp serves both the background and the mask.
    if (auto picture = loadBitmap(path, "main.bmp")) {
        main.SetBackgroundPicture(*picture);
        main.Mask->SetPicture(main.BackgroundPicture());
    }
    fitDragArea(main);
    loadInto(main.clipCButtons, path, "cbuttons.bmp");
    for (int i = 1; i <= 6; ++i) DrawSprite(forms, 1, i, 0);
    loadInto(main.clipTitlebar, path, "titlebar.bmp");
    FormPLS& playlist = forms.Playlist();
    if (auto picture = loadBitmap(path, "pledit.bmp"))
        playlist.PLEdit->SetPicture(*picture);
    for (int i = 3; i <= 7; ++i) DrawSprite(forms, 2, i, 0);
    loadInto(main.clipShufRep, path, "shufrep.bmp");
    for (int i = 1; i <= 4; ++i) DrawSprite(forms, 3, i, 0);
    loadInto(main.clipPosBar, path, "posbar.bmp");
    DrawSprite(forms, 4, 1, 0);
    DrawSprite(forms, 4, 2, 0);
    loadInto(main.clipVolume, path, "volume.bmp");
    DrawSprite(forms, 5, 14, 0);
    DrawSprite(forms, 5, 29, 0);
    loadInto(main.clipBalance, path, "balance.bmp");
    DrawSprite(forms, 6, 1, 0);
    DrawSprite(forms, 6, 29, 0);
    loadInto(main.clipPlayPaus, path, "playpaus.bmp");
    DrawSprite(forms, 7, 1, 0);
    DrawSprite(forms, 7, 6, 0);
    loadInto(main.clipNumbers, path, "numbers.bmp");
    for (int position = 0; position <= 3; ++position) DrawSprite(forms, 8, 0, position);
    loadInto(main.clipMonoster, path, "monoster.bmp");
    DrawSprite(forms, 9, 1, 0);
    DrawSprite(forms, 9, 2, 0);
    DrawSprite(forms, 2, 4, 1);
    DrawSprite(forms, 2, 4, 0);
    main.imgMove->update();
    ApplyTransparentColour(forms, path);
    PaintPlaylistFrame(forms);
}

void mdlSkin::InitSkin(Forms& forms) {
    frmMain& main = forms.Main();
    main.MoveControls();
    FillSpriteTable();
    const QString skinDirectory = StartupSkinDirectory();
    LoadSkin(forms, skinDirectory);
    fitDragArea(main);
    long magenta = composeColour(255, 0, 255);
    main.ChangeMask(magenta);
    drawFirstLooks(forms);
    ApplyTransparentColour(forms, skinDirectory);
    PaintPlaylistFrame(forms);
}

QString mdlSkin::StartupSkinDirectory() {
    APIINISystem settings;
    const QString programDirectory = Paths::ProgramDirectory();
    settings.SetINIFile(programDirectory + QStringLiteral("/default.ini"));
    return programDirectory + QLatin1Char('/') +
           settings.INI_Read(QStringLiteral("Skin"), QStringLiteral("DefaultSkin"),
                             QStringLiteral("skins\\silence"));
}

bool mdlSkin::ApplyTransparentColour(Forms& forms, const QString& skinDirectory) {
    APIINISystem region;
    region.SetINIFile(skinDirectory + QStringLiteral("/region.txt"));
    const QString normal = QStringLiteral("Normal");
    const auto red =
        toInteger16(region.INI_Read(normal, QStringLiteral("TransColorR"), QStringLiteral("255")));
    const auto green =
        toInteger16(region.INI_Read(normal, QStringLiteral("TransColorG"), QStringLiteral("0")));
    const auto blue =
        toInteger16(region.INI_Read(normal, QStringLiteral("TransColorB"), QStringLiteral("255")));
    if (!red || !green || !blue)
        return false;
    long colour = composeColour(*red, *green, *blue);
    forms.Main().ChangeMask(colour);
    return true;
}
