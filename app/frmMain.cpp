#include "app/frmMain.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

#include "app/Forms.h"
#include "platform/Bitmap.h"
#include "platform/Screen.h"
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

frmMain::frmMain(Forms& forms) : QWidget(nullptr), forms_(forms) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString());
    setAttribute(Qt::WA_OpaquePaintEvent);
    initBuiltInResources();
    createControls();
    loadBuiltInPictures();
    resize(Screen::ToPixelsX(kDesignWidth), Screen::ToPixelsY(kDesignHeight));
}

frmMain::~frmMain() = default;

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

    for (int i = 0; i < 4; ++i) imgSufRep[i]->SetTag(QStringLiteral("0"));
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

void frmMain::Form_Load() {
    setWindowFlag(Qt::FramelessWindowHint, true);
    mdlSkin::InitSkin(forms_);
    imgMove->update();
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
    // An empty mask would mean "no mask" to the window system; a pixel outside the window
    // keeps the window showing nothing and taking no input, as the empty shape says.
    setMask(windowRegion_.isEmpty() ? QRegion(-1, -1, 1, 1) : windowRegion_);
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

float frmMain::Left() const {
    return static_cast<float>(x()) * Screen::TwipsPerPixelX();
}
float frmMain::Top() const {
    return static_cast<float>(y()) * Screen::TwipsPerPixelY();
}
void frmMain::SetLeft(float left) {
    move(Screen::ToPixelsX(left), y());
}
void frmMain::SetTop(float top) {
    move(x(), Screen::ToPixelsY(top));
}

void frmMain::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), PictureBox::DefaultBackColor());
    painter.drawImage(0, 0, background_);
}
