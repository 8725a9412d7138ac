#include "app/frmMain.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <vector>

#include "app/Forms.h"
#include "app/MenuLetters.h"
#include "app/MenuLook.h"
#include "platform/Bitmap.h"
#include "platform/PlaybackControl.h"
#include "platform/Screen.h"
#include "skin/PlaylistFace.h"
#include "skin/SkinPalette.h"
#include "skin/Sprite.h"
#include "skin/mdlSkin.h"

// The built-in pictures live in the core library, which the linker would otherwise drop.
static void initBuiltInResources() {
    Q_INIT_RESOURCE(builtin);
}

namespace {
// Design size of the window and of its mask box: the built-in main bitmap at 15 twips a pixel.
constexpr float kDesignWidth = 4125.0f;
constexpr float kDesignHeight = 1740.0f;

struct Placement {
    int left, top, width, height;
};
}  // namespace

frmMain::frmMain(Forms& forms) : Form(), forms_(forms) {
    setObjectName(QStringLiteral("frmMain"));
    SetCaption(QString());
    setAttribute(Qt::WA_OpaquePaintEvent);
    initBuiltInResources();
    createControls();
    loadBuiltInPictures();
    Timer1 = new QTimer(this);
    Timer1->setInterval(300);
    tmrTime = new QTimer(this);
    tmrTime->setInterval(500);
    createMenu();
    connectHandlers();
    Timer1->start();
    resize(Screen::ToPixelsX(kDesignWidth), Screen::ToPixelsY(kDesignHeight));
}

frmMain::~frmMain() = default;

PlaybackControl& frmMain::Playback() {
    return forms_.Playback();
}

Controller& frmMain::operations() {
    return forms_.Operations();
}

ImageControl* frmMain::image(int index) {
    return new ImageControl(this, index);
}

void frmMain::createControls() {
    // Created bottom to top, so that later siblings lie over earlier ones.
    imgTitlebar = image();
    imgMove = image();
    for (int i = 0; i < 6; ++i) imgPlayBut[i] = image(i);
    for (int i = 0; i < 4; ++i) imgMenu[i] = image(i);
    for (int i : {1, 0, 2, 3}) imgSufRep[i] = image(i);
    imgPosBar = image();
    imgPosSlide[0] = image(0);
    imgAmp = image();
    imgVolume = image();
    imgVolumeBut[0] = image(0);
    imgBalance = image();
    imgBalanceBut[0] = image(0);
    imgPosSlide[1] = image(1);
    imgPlayPaus[1] = image(1);
    imgPlayPaus[0] = image(0);
    imgVolumeBut[1] = image(1);
    imgBalanceBut[1] = image(1);
    for (int i = 0; i < 4; ++i) imgNumber[i] = image(i);
    imgMonoSter[0] = image(0);
    imgMonoSter[1] = image(1);

    // The mask lies below the visible rows and is never shown; only its bitmap is read.
    Mask = new PictureBox(this);
    Mask->Move(0.0f, 1800.0f, kDesignWidth, kDesignHeight);
    Mask->hide();

    // Toggles 0 and 1 switch repeat and shuffle, which start off; 2 and 3 start as "shown".
    for (int i = 0; i < 4; ++i)
        imgSufRep[i]->SetTag(i < 2 ? QStringLiteral("1") : QStringLiteral("0"));
    imgSufRep[0]->setToolTip(QStringLiteral("Repeat"));
    imgSufRep[1]->setToolTip(QStringLiteral("Shuffle"));
    imgSufRep[2]->setToolTip(QStringLiteral("Toggle Video Display"));
    imgSufRep[3]->setToolTip(QStringLiteral("Toggle Playlist"));
    imgMenu[3]->setToolTip(QStringLiteral("Exit"));
}

void frmMain::loadBuiltInPictures() {
    const auto builtIn = [](const char* name) {
        return Bitmap::Load(QStringLiteral(":/builtin/") + QLatin1String(name));
    };
    SetBackgroundPicture(builtIn("main.bmp"));
    Mask->SetPicture(builtIn("main.bmp"));
    clipCButtons.SetPicture(builtIn("cbuttons.bmp"));
    clipTitlebar.SetPicture(builtIn("titlebar.bmp"));
    clipShufRep.SetPicture(builtIn("shufrep.bmp"));
    clipPosBar.SetPicture(builtIn("posbar.bmp"));
    clipVolume.SetPicture(builtIn("volume.bmp"));
    clipBalance.SetPicture(builtIn("balance.bmp"));
    clipPlayPaus.SetPicture(builtIn("playpaus.bmp"));
    clipNumbers.SetPicture(builtIn("numbers.bmp"));
    clipMonoster.SetPicture(builtIn("monoster.bmp"));
}

void frmMain::connectHandlers() {
    connect(Timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
    connect(tmrTime, &QTimer::timeout, this, &frmMain::tmrTime_Timer);
    for (ImageControl* button : imgPlayBut) {
        connect(button, &ImageControl::MouseDown, this, &frmMain::imgPlayBut_MouseDown);
        connect(button, &ImageControl::MouseUp, this, &frmMain::imgPlayBut_MouseUp);
    }
    connect(imgMove, &ImageControl::MouseDown, this,
            [this](int, MouseArgs a) { imgMove_MouseDown(a); });
    connect(imgMove, &ImageControl::MouseMove, this,
            [this](int, MouseArgs a) { imgMove_MouseMove(a); });
    for (ImageControl* slide : imgPosSlide) {
        connect(slide, &ImageControl::MouseDown, this,
                [this](int i, MouseArgs a) { seekBar.imgPosSlide_MouseDown(i, a); });
        connect(slide, &ImageControl::MouseMove, this,
                [this](int i, MouseArgs a) { seekBar.imgPosSlide_MouseMove(i, a); });
        connect(slide, &ImageControl::MouseUp, this,
                [this](int i, MouseArgs a) { seekBar.imgPosSlide_MouseUp(i, a); });
    }
    connect(imgPosBar, &ImageControl::MouseDown, this,
            [this](int, MouseArgs a) { seekBar.imgPosBar_MouseDown(a); });
    for (ImageControl* knob : imgVolumeBut) {
        connect(knob, &ImageControl::MouseDown, this,
                [this](int i, MouseArgs a) { volumeBalance.imgVolumeBut_MouseDown(i, a); });
        connect(knob, &ImageControl::MouseMove, this,
                [this](int i, MouseArgs a) { volumeBalance.imgVolumeBut_MouseMove(i, a); });
        connect(knob, &ImageControl::MouseUp, this,
                [this](int i, MouseArgs a) { volumeBalance.imgVolumeBut_MouseUp(i, a); });
    }
    for (ImageControl* knob : imgBalanceBut) {
        connect(knob, &ImageControl::MouseDown, this,
                [this](int i, MouseArgs a) { volumeBalance.imgBalanceBut_MouseDown(i, a); });
        connect(knob, &ImageControl::MouseMove, this,
                [this](int i, MouseArgs a) { volumeBalance.imgBalanceBut_MouseMove(i, a); });
        connect(knob, &ImageControl::MouseUp, this,
                [this](int i, MouseArgs a) { volumeBalance.imgBalanceBut_MouseUp(i, a); });
    }
    connect(imgVolume, &ImageControl::MouseDown, this,
            [this](int, MouseArgs a) { volumeBalance.imgVolume_MouseDown(a); });
    connect(imgAmp, &ImageControl::Click, this, [this] { toggles.imgAmp_Click(); });
    for (ImageControl* button : imgMenu) {
        connect(button, &ImageControl::MouseDown, this,
                [this](int i, MouseArgs a) { toggles.imgMenu_MouseDown(i, a); });
        connect(button, &ImageControl::MouseUp, this,
                [this](int i, MouseArgs a) { toggles.imgMenu_MouseUp(i, a); });
    }
    for (ImageControl* toggle : imgSufRep) {
        connect(toggle, &ImageControl::MouseDown, this,
                [this](int i, MouseArgs a) { toggles.imgSufRep_MouseDown(i, a); });
        connect(toggle, &ImageControl::MouseUp, this,
                [this](int i, MouseArgs a) { toggles.imgSufRep_MouseUp(i, a); });
    }
}

void frmMain::createMenu() {
    mnuFile = new QMenu(QStringLiteral("File"), this);
    mnuSkin = mnuFile->addAction(QStringLiteral("Choose Skin"));
    mnuFile->addSeparator();
    mnuExit = mnuFile->addAction(QStringLiteral("Exit"));
    MenuLetters::Install(*mnuFile);
    connect(mnuSkin, &QAction::triggered, this, [this] { toggles.mnuSkin_Click(); });
    connect(mnuExit, &QAction::triggered, this, [this] { toggles.mnuExit_Click(); });
    // Dressed as it opens, so it always wears the skin on show.
    connect(mnuFile, &QMenu::aboutToShow, this,
            [this] { MenuLook::Apply(*mnuFile, forms_.SkinPlaylist().ListColours); });
}

void frmMain::Form_Load() {
    setWindowFlag(Qt::FramelessWindowHint, true);
    mdlSkin::InitSkin(forms_);
    GoStop(false);
    imgMove->update();
}

void frmMain::setDigitsVisible(bool visible) {
    for (ImageControl* digit : imgNumber) digit->setVisible(visible);
}

void frmMain::setSliderVisible(bool visible) {
    imgPosSlide[0]->setVisible(visible);
    imgPosSlide[1]->setVisible(visible);
}

void frmMain::GoPlay(bool blnDo) {
    if (blnDo)
        Playback().Play();
    mdlSkin::DrawSprite(forms_, Sprite::PlayState, Sprite::PlayIndicatorPlaying, 0);
    mdlSkin::DrawSprite(forms_, Sprite::PlayState, Sprite::PlayLampOn, 0);
    imgPlayPaus[0]->show();
    tmrTime->start();
    setDigitsVisible(true);
    setSliderVisible(seekBar.Seekable());
}

void frmMain::GoPause(bool blnDo) {
    if (blnDo)
        Playback().Pause();
    mdlSkin::DrawSprite(forms_, Sprite::PlayState, Sprite::PlayIndicatorPaused, 0);
    imgPlayPaus[0]->hide();
    tmrTime->stop();
    setDigitsVisible(true);
    setSliderVisible(seekBar.Seekable());
}

void frmMain::GoStop(bool blnDo) {
    PlaybackControl& control = Playback();
    if (blnDo)
        control.Stop();
    control.SetCurrentPosition(0.0);
    mdlSkin::DrawSprite(forms_, Sprite::PlayState, Sprite::PlayIndicatorStopped, 0);
    imgPlayPaus[0]->hide();
    setDigitsVisible(false);
    ShowChannels(0);
    tmrTime->stop();
    setSliderVisible(false);
}

void frmMain::imgPlayBut_MouseDown(int index, MouseArgs) {
    mdlSkin::DrawSprite(forms_, Sprite::Transport, index + 1, Sprite::Pressed);
}

void frmMain::imgPlayBut_MouseUp(int index, MouseArgs) {
    mdlSkin::DrawSprite(forms_, Sprite::Transport, index + 1, Sprite::Released);
    switch (index) {
        case 0:
            emit PreviousClicked();
            break;
        case 1:
            GoPlay(true);
            break;
        case 2:
            GoPause(true);
            break;
        case 3:
            GoStop(true);
            break;
        case 4:
            emit NextClicked();
            break;
        case 5:
            emit EjectClicked();
            break;
        default:
            break;
    }
}

void frmMain::SplitTime(double position) {
    double whole = std::trunc(position);
    if (whole < 0)
        whole = -whole;
    const long long s = static_cast<long long>(whole);
    TimeSeconds = static_cast<std::int16_t>(s % 60);
    TimeMinutes = static_cast<std::int16_t>(std::min<long long>(s / 60, 32767));
}

void frmMain::ShowTime() {
    // Two digits each: the last two characters of "0" followed by the number.
    const auto drawPair = [this](int value, int tensItem, int unitsItem) {
        const QString text = QStringLiteral("0") + QString::number(value);
        mdlSkin::DrawSprite(forms_, Sprite::Digit, text.at(text.size() - 1).digitValue(),
                            unitsItem);
        mdlSkin::DrawSprite(forms_, Sprite::Digit, text.at(text.size() - 2).digitValue(), tensItem);
    };
    drawPair(TimeSeconds, 2, 3);
    drawPair(TimeMinutes, 0, 1);
}

void frmMain::tmrTime_Timer() {
    PlaybackControl& control = Playback();
    if (control.PlayState() == PlaybackControl::Playing) {
        SplitTime(control.CurrentPosition());
        ShowTime();
        seekBar.Follow(control.CurrentPosition(), control.Duration());
    }
    switch (control.PlayState()) {
        case PlaybackControl::Paused:
            GoPause(false);
            break;
        case PlaybackControl::Playing:
            GoPlay(false);
            break;
        case PlaybackControl::Closed:
            GoStop(false);
            break;
        default:
            break;
    }
    const int state = control.PlayState();
    const bool open = state == PlaybackControl::Playing || state == PlaybackControl::Paused;
    ShowChannels(open ? control.AudioChannels() : 0);
}

void frmMain::ShowChannels(int channels) {
    mdlSkin::DrawSprite(forms_, Sprite::MonoStereo, Sprite::StereoLamp,
                        channels >= 2 ? Sprite::Lit : Sprite::Unlit);
    mdlSkin::DrawSprite(forms_, Sprite::MonoStereo, Sprite::MonoLamp,
                        channels == 1 ? Sprite::Lit : Sprite::Unlit);
}

void frmMain::Timer1_Timer() {
    SetCaption(windowState() & Qt::WindowMinimized ? QStringLiteral("Solvane") : QString());
}

void frmMain::SetCaption(const QString& caption) {
    if (caption == caption_ && !windowTitle().isEmpty())
        return;
    caption_ = caption;
    // The platform never shows an empty title (it puts the program's name there), so an
    // empty caption is shown as a blank one.
    setWindowTitle(caption_.isEmpty() ? QStringLiteral(" ") : caption_);
}

void frmMain::imgMove_MouseDown(MouseArgs args) {
    DragPress(args);
}

// The companions follow the window's move event, not the drag: a move made by the window
// manager carries them too, and a drag moves them once per step.
void frmMain::imgMove_MouseMove(MouseArgs args) {
    DragMove(args);
}

void frmMain::moveEvent(QMoveEvent* event) {
    Form::moveEvent(event);
    emit Moved();
}

void frmMain::Form_GotFocus() {
    mdlSkin::DrawSprite(forms_, Sprite::TitleBar, 1, Sprite::Active);
    for (int i = 4; i <= 7; ++i) mdlSkin::DrawSprite(forms_, Sprite::TitleBar, i, 0);
}

void frmMain::Form_LostFocus() {
    mdlSkin::DrawSprite(forms_, Sprite::TitleBar, 1, Sprite::Inactive);
    for (ImageControl* button : imgMenu) button->SetPicture(QImage());
}

void frmMain::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow()) {
            Form_GotFocus();
        } else {
            Form_LostFocus();
        }
    }
    QWidget::changeEvent(event);
}

// The close request itself unloads the companions (see closeEvent).
void frmMain::Unload() {
    close();
}

void frmMain::closeEvent(QCloseEvent* event) {
    // Any close request: the companions go first, then the program ends at once.
    emit Closing();
    Timer1->stop();
    tmrTime->stop();
    unloaded_ = true;
    event->accept();
    QCoreApplication::exit(0);
}

void frmMain::MoveControls() {
    const float tx = Screen::TwipsPerPixelX();
    const float ty = Screen::TwipsPerPixelY();
    const auto place = [tx, ty](ImageControl* control, Placement p) {
        control->Move(p.left * tx, p.top * ty, p.width * tx, p.height * ty);
    };
    place(imgPlayBut[0], {16, 88, 22, 17});
    place(imgPlayBut[1], {39, 88, 22, 17});
    place(imgPlayBut[2], {62, 88, 22, 17});
    place(imgPlayBut[3], {85, 88, 22, 17});
    place(imgPlayBut[4], {108, 88, 22, 17});
    place(imgPlayBut[5], {136, 89, 21, 15});
    imgTitlebar->Move(0.0f, 0.0f, 274 * tx, 12 * ty);
    place(imgMenu[0], {6, 3, 9, 9});
    place(imgMenu[1], {244, 3, 9, 9});
    place(imgMenu[2], {264, 3, 9, 9});
    place(imgMenu[3], {254, 3, 9, 9});
    place(imgSufRep[0], {210, 89, 29, 15});
    place(imgSufRep[1], {164, 89, 47, 15});
    place(imgSufRep[2], {219, 58, 23, 12});
    place(imgSufRep[3], {242, 58, 23, 12});
    place(imgPosBar, {16, 72, 249, 10});
    place(imgPosSlide[0], {16, 72, 29, 10});
    place(imgPosSlide[1], {16, 72, 29, 10});
    place(imgAmp, {251, 91, 14, 16});
    place(imgVolume, {107, 57, 68, 13});
    place(imgVolumeBut[0], {135, 58, 14, 11});
    place(imgVolumeBut[1], {135, 58, 14, 11});
    place(imgBalance, {177, 57, 38, 13});
    place(imgBalanceBut[0], {189, 58, 14, 11});
    place(imgBalanceBut[1], {189, 58, 14, 11});
    place(imgPlayPaus[0], {24, 28, 9, 9});
    place(imgPlayPaus[1], {26, 28, 3, 9});
    place(imgNumber[0], {48, 26, 9, 13});
    place(imgNumber[1], {60, 26, 9, 13});
    place(imgNumber[2], {78, 26, 9, 13});
    place(imgNumber[3], {90, 26, 9, 13});
    place(imgMonoSter[1], {212, 41, 29, 12});
    place(imgMonoSter[0], {239, 41, 29, 12});
}

void frmMain::ChangeMask(long& lngTransColor) {
    windowRegion_ = MakeMaskRegion(*Mask, lngTransColor);
    SetShape(windowRegion_);
}

QRegion frmMain::MakeMaskRegion(const PictureBox& mask, long& colour) {
    if (colour < 1)
        colour = mask.GetPixel(0, 0);
    const long transparent = colour;
    const int w = static_cast<int>(std::nearbyint(mask.ScaleWidth() / Screen::TwipsPerPixelX()));
    const int h = static_cast<int>(std::nearbyint(mask.ScaleHeight() / Screen::TwipsPerPixelY()));

    const QImage& image = mask.Image();
    const int readable = std::min(w, image.width());
    // Compared as 24-bit values, the same colour value the platform's pixel reader gives.
    const QRgb key =
        qRgb(static_cast<int>(transparent & 0xFF), static_cast<int>((transparent >> 8) & 0xFF),
             static_cast<int>((transparent >> 16) & 0xFF)) &
        0xFFFFFF;
    const bool keyValid = transparent >= 0 && transparent <= 0xFFFFFF;

    // Collect the opaque runs row by row, then build the region once.
    // The scratch list is kept between calls: a fresh one costs more than the scan itself.
    thread_local std::vector<QRect> runs;
    runs.clear();
    for (int y = 0; y < h; ++y) {
        const QRgb* row =
            y < image.height() ? reinterpret_cast<const QRgb*>(image.constScanLine(y)) : nullptr;
        // Pixels outside the bitmap never match: they read as no colour at all.
        const auto isTransparent = [&](int x) {
            return keyValid && row && x < readable && (row[x] & 0xFFFFFF) == key;
        };
        int x = 0;
        while (x < w) {
            while (x < w && isTransparent(x)) ++x;
            if (x == w)
                break;
            const int start = x;
            while (x < w && !isTransparent(x)) ++x;
            runs.emplace_back(start, y, x - start, 1);
        }
    }
    QRegion region;
    if (!runs.empty())
        region.setRects(runs.data(), static_cast<int>(runs.size()));
    return region;
}

void frmMain::SetBackgroundPicture(const QImage& picture) {
    // Converted once: the background is repainted behind every control that changes.
    background_ = picture.convertToFormat(QImage::Format_RGB32);
    update();
}

void frmMain::paintEvent(QPaintEvent*) {
    if (!playbackPrepared_) {
        // Once the window is on screen, the playback control starts in the background of
        // the event loop rather than before the first showing.
        playbackPrepared_ = true;
        QTimer::singleShot(0, this, [this] { Playback().Prepare(); });
    }
    QPainter painter(this);
    painter.fillRect(rect(), PictureBox::DefaultBackColor());
    painter.drawImage(0, 0, background_);
}
