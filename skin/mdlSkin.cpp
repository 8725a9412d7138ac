#include "skin/mdlSkin.h"

#include <QImage>
#include <cmath>
#include <optional>

#include "platform/APIINISystem.h"
#include "platform/Bitmap.h"
#include "platform/Paths.h"
#include "skin/MainFace.h"
#include "skin/PlaylistFace.h"
#include "skin/SkinHost.h"
#include "skin/Sprite.h"
#include "skin/SpriteTable.h"

namespace {

PictureClip* holderOf(MainFace& main, Sprite::Kind kind) {
    switch (kind) {
        case Sprite::Transport:
            return &main.clipCButtons;
        case Sprite::TitleBar:
            return &main.clipTitlebar;
        case Sprite::Toggle:
            return &main.clipShufRep;
        case Sprite::SeekBar:
            return &main.clipPosBar;
        case Sprite::Volume:
            return &main.clipVolume;
        case Sprite::Balance:
            return &main.clipBalance;
        case Sprite::PlayState:
            return &main.clipPlayPaus;
        case Sprite::Digit:
            return &main.clipNumbers;
        case Sprite::MonoStereo:
            return &main.clipMonoster;
    }
    return nullptr;
}

template <std::size_t N>
ImageControl* item(const std::array<ImageControl*, N>& controls, int i) {
    return i >= 0 && i < static_cast<int>(N) ? controls[i] : nullptr;
}

ImageControl* destinationOf(MainFace& main, Sprite::Kind kind, int index, int state) {
    switch (kind) {
        case Sprite::Transport:
            return item(main.imgPlayBut, index - 1);
        case Sprite::TitleBar:
            if (index >= 1 && index <= 3)
                return main.imgTitlebar;
            return item(main.imgMenu, index - 4);
        case Sprite::Toggle:
            return item(main.imgSufRep, index - 1);
        case Sprite::SeekBar:
            if (index == 1)
                return main.imgPosBar;
            return index == 2 ? main.imgPosSlide[0] : nullptr;
        case Sprite::Volume:
            if (index >= 1 && index <= 28)
                return main.imgVolume;
            return index == 29 || index == 30 ? main.imgVolumeBut[0] : nullptr;
        case Sprite::Balance:
            if (index >= 1 && index <= 28)
                return main.imgBalance;
            return index == 29 || index == 30 ? main.imgBalanceBut[0] : nullptr;
        case Sprite::PlayState:
            if (index >= 1 && index <= 4)
                return main.imgPlayPaus[1];
            return index == 5 || index == 6 ? main.imgPlayPaus[0] : nullptr;
        case Sprite::Digit:
            return item(main.imgNumber, state);
        case Sprite::MonoStereo:
            return item(main.imgMonoSter, index - 1);
    }
    return nullptr;
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

void fitDragArea(MainFace& main) {
    main.imgMove->Move(0.0f, 0.0f, main.Mask->ScaleWidth(), main.Mask->ScaleHeight());
}

void drawFirstLooks(SkinHost& skin) {
    for (int i = 1; i <= 6; ++i) mdlSkin::DrawSprite(skin, Sprite::Transport, i, 0);
    for (int i = 3; i <= 7; ++i) mdlSkin::DrawSprite(skin, Sprite::TitleBar, i, 0);
    for (int i = 1; i <= 4; ++i) mdlSkin::DrawSprite(skin, Sprite::Toggle, i, 0);
    mdlSkin::DrawSprite(skin, Sprite::SeekBar, Sprite::SeekTrack, Sprite::Released);
    mdlSkin::DrawSprite(skin, Sprite::SeekBar, Sprite::SeekSlider, Sprite::Released);
    mdlSkin::DrawSprite(skin, Sprite::Volume, 14, 0);
    mdlSkin::DrawSprite(skin, Sprite::Volume, Sprite::KnobReleased, 0);
    mdlSkin::DrawSprite(skin, Sprite::Balance, 1, 0);
    mdlSkin::DrawSprite(skin, Sprite::Balance, Sprite::KnobReleased, 0);
    mdlSkin::DrawSprite(skin, Sprite::PlayState, Sprite::PlayIndicatorPlaying, 0);
    mdlSkin::DrawSprite(skin, Sprite::PlayState, Sprite::PlayLampOff, 0);
    for (int position = 0; position <= 3; ++position)
        mdlSkin::DrawSprite(skin, Sprite::Digit, 0, position);
    mdlSkin::DrawSprite(skin, Sprite::MonoStereo, 1, 0);
    mdlSkin::DrawSprite(skin, Sprite::MonoStereo, 2, 0);
}

}  // namespace

const SpriteTable& mdlSkin::Sprites() {
    return SpriteTable::Cells();
}

void mdlSkin::DrawSprite(SkinHost& skin, Sprite::Kind kind, int index, int state) {
    MainFace& main = skin.SkinMain();
    PictureClip* holder = holderOf(main, kind);
    if (!holder)
        return;
    if (const auto cell = Sprites().Lookup(kind, index, state)) {
        holder->SetClipX(cell->x);
        holder->SetClipY(cell->y);
        holder->SetClipWidth(cell->width);
        holder->SetClipHeight(cell->height);
    }
    ImageControl* destination = destinationOf(main, kind, index, state);
    if (destination && holder->HasPicture())
        destination->SetPicture(holder->Clip());
}

void mdlSkin::DrawSprite(SkinHost& skin, int kind, int index, int state) {
    if (const auto known = Sprite::KindOf(kind))
        DrawSprite(skin, *known, index, state);
}

void mdlSkin::LoadSkin(SkinHost& skin, const QString& path) {
    MainFace& main = skin.SkinMain();
    main.MoveControls();
    // One read of main.bmp serves both the background and the mask.
    if (auto picture = loadBitmap(path, "main.bmp")) {
        main.SetBackgroundPicture(*picture);
        main.Mask->SetPicture(main.BackgroundPicture());
    }
    fitDragArea(main);
    loadInto(main.clipCButtons, path, "cbuttons.bmp");
    for (int i = 1; i <= 6; ++i) DrawSprite(skin, Sprite::Transport, i, 0);
    loadInto(main.clipTitlebar, path, "titlebar.bmp");
    PlaylistFace& playlist = skin.SkinPlaylist();
    if (auto picture = loadBitmap(path, "pledit.bmp"))
        playlist.PLEdit->SetPicture(*picture);
    for (int i = 3; i <= 7; ++i) DrawSprite(skin, Sprite::TitleBar, i, 0);
    loadInto(main.clipShufRep, path, "shufrep.bmp");
    for (int i = 1; i <= 4; ++i) DrawSprite(skin, Sprite::Toggle, i, 0);
    loadInto(main.clipPosBar, path, "posbar.bmp");
    DrawSprite(skin, Sprite::SeekBar, Sprite::SeekTrack, Sprite::Released);
    DrawSprite(skin, Sprite::SeekBar, Sprite::SeekSlider, Sprite::Released);
    loadInto(main.clipVolume, path, "volume.bmp");
    DrawSprite(skin, Sprite::Volume, 14, 0);
    DrawSprite(skin, Sprite::Volume, Sprite::KnobReleased, 0);
    loadInto(main.clipBalance, path, "balance.bmp");
    DrawSprite(skin, Sprite::Balance, 1, 0);
    DrawSprite(skin, Sprite::Balance, Sprite::KnobReleased, 0);
    loadInto(main.clipPlayPaus, path, "playpaus.bmp");
    DrawSprite(skin, Sprite::PlayState, Sprite::PlayIndicatorPlaying, 0);
    DrawSprite(skin, Sprite::PlayState, Sprite::PlayLampOff, 0);
    loadInto(main.clipNumbers, path, "numbers.bmp");
    for (int position = 0; position <= 3; ++position) DrawSprite(skin, Sprite::Digit, 0, position);
    loadInto(main.clipMonoster, path, "monoster.bmp");
    DrawSprite(skin, Sprite::MonoStereo, 1, 0);
    DrawSprite(skin, Sprite::MonoStereo, 2, 0);
    DrawSprite(skin, Sprite::TitleBar, 4, 1);
    DrawSprite(skin, Sprite::TitleBar, 4, 0);
    main.imgMove->update();
    ApplyTransparentColour(skin, path);
    PaintPlaylistFrame(skin);
    main.SkinLoaded();
}

void mdlSkin::InitSkin(SkinHost& skin) {
    MainFace& main = skin.SkinMain();
    main.MoveControls();
    const QString skinDirectory = StartupSkinDirectory();
    LoadSkin(skin, skinDirectory);
    fitDragArea(main);
    long magenta = composeColour(255, 0, 255);
    main.ChangeMask(magenta);
    drawFirstLooks(skin);
    ApplyTransparentColour(skin, skinDirectory);
    PaintPlaylistFrame(skin);
    main.SkinLoaded();
}

QString mdlSkin::StartupSkinDirectory() {
    APIINISystem settings;
    const QString programDirectory = Paths::ProgramDirectory();
    settings.SetINIFile(programDirectory + QStringLiteral("/default.ini"));
    return programDirectory + QLatin1Char('/') +
           settings.INI_Read(QStringLiteral("Skin"), QStringLiteral("DefaultSkin"),
                             QStringLiteral("skins\\silence"));
}

bool mdlSkin::ApplyTransparentColour(SkinHost& skin, const QString& skinDirectory) {
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
    skin.SkinMain().ChangeMask(colour);
    return true;
}
