// Speed of the skin engine: the window shape against one read of every mask pixel, and a whole
// skin load against decoding its eleven bitmaps alone.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <clocale>

#include "FakePlaybackControl.h"
#include "TestSkin.h"
#include "app/Forms.h"
#include "app/frmMain.h"
#include "platform/Bitmap.h"
#include "platform/PictureBox.h"
#include "platform/Screen.h"
#include "skin/Sprite.h"
#include "skin/mdlSkin.h"

namespace {

QImage checkerMask() {
    QImage image(275, 116, QImage::Format_RGB32);
    for (int y = 0; y < 116; ++y)
        for (int x = 0; x < 275; ++x)
            image.setPixel(x, y, (x + y) % 2 ? qRgb(255, 0, 255) : qRgb(9, 9, 9));
    return image;
}

struct MaskBox {
    explicit MaskBox(const QImage& picture) {
        box.Move(0, 1800, 4125, 1740);
        box.SetPicture(picture);
    }
    QWidget parent;
    PictureBox box{&parent};
};

void readEveryPixel(benchmark::State& state, const QImage& picture) {
    MaskBox mask(picture);
    for (auto _ : state) {
        // The plainest read of every pixel: one pass over the scan lines.
        const QImage& image = mask.box.Image();
        unsigned long sum = 0;
        for (int y = 0; y < image.height(); ++y) {
            const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) sum += row[x] & 0xFFFFFF;
        }
        benchmark::DoNotOptimize(sum);
    }
}

void makeRegion(benchmark::State& state, const QImage& picture) {
    MaskBox mask(picture);
    for (auto _ : state) {
        long colour = 255 + 65536L * 255;
        benchmark::DoNotOptimize(frmMain::MakeMaskRegion(mask.box, colour));
    }
}

void BM_ReadMaskPixels_BuiltIn(benchmark::State& s) {
    readEveryPixel(s, QImage(":/builtin/main.bmp"));
}
void BM_MakeMaskRegion_BuiltIn(benchmark::State& s) {
    makeRegion(s, QImage(":/builtin/main.bmp"));
}
void BM_ReadMaskPixels_Checker(benchmark::State& s) {
    readEveryPixel(s, checkerMask());
}
void BM_MakeMaskRegion_Checker(benchmark::State& s) {
    makeRegion(s, checkerMask());
}

QString shippedSkin() {
    return QStringLiteral(SOLVANE_SOURCE_DIR "/skins/silence");
}

void BM_DecodeSkinBitmaps(benchmark::State& state) {
    for (auto _ : state)
        for (const QString& name : CoordinateSkin::BitmapNames())
            benchmark::DoNotOptimize(Bitmap::Load(shippedSkin() + QLatin1Char('/') + name));
}

void BM_LoadSkin(benchmark::State& state) {
    TestProgramDir dir;
    TestForms forms{FakePlaybackControl::Factory()};
    forms.Main();
    for (auto _ : state) mdlSkin::LoadSkin(forms, shippedSkin());
}

// The pieces of a load, to see where its time goes.
void BM_PaintPlaylistFrame(benchmark::State& state) {
    TestProgramDir dir;
    TestForms forms{FakePlaybackControl::Factory()};
    forms.Main();
    for (auto _ : state) mdlSkin::PaintPlaylistFrame(forms);
}

void BM_MoveControls(benchmark::State& state) {
    TestProgramDir dir;
    TestForms forms{FakePlaybackControl::Factory()};
    for (auto _ : state) forms.Main().MoveControls();
}

void BM_ChangeMask(benchmark::State& state) {
    TestProgramDir dir;
    TestForms forms{FakePlaybackControl::Factory()};
    for (auto _ : state) {
        long colour = 255 + 65536L * 255;
        forms.Main().ChangeMask(colour);
    }
}

void BM_DrawEveryControl(benchmark::State& state) {
    TestProgramDir dir;
    TestForms forms{FakePlaybackControl::Factory()};
    forms.Main();
    for (auto _ : state) {
        for (int i = 1; i <= 6; ++i) mdlSkin::DrawSprite(forms, Sprite::Transport, i, 0);
        for (int i = 3; i <= 7; ++i) mdlSkin::DrawSprite(forms, Sprite::TitleBar, i, 0);
        for (int i = 1; i <= 4; ++i) mdlSkin::DrawSprite(forms, Sprite::Toggle, i, 0);
        for (int p = 0; p <= 3; ++p) mdlSkin::DrawSprite(forms, Sprite::Digit, 0, p);
        mdlSkin::DrawSprite(forms, Sprite::Volume, 14, 0);
        mdlSkin::DrawSprite(forms, Sprite::Balance, 1, 0);
    }
}

}  // namespace

BENCHMARK(BM_PaintPlaylistFrame);
BENCHMARK(BM_MoveControls);
BENCHMARK(BM_ChangeMask);
BENCHMARK(BM_DrawEveryControl);
BENCHMARK(BM_ReadMaskPixels_BuiltIn);
BENCHMARK(BM_MakeMaskRegion_BuiltIn);
BENCHMARK(BM_ReadMaskPixels_Checker);
BENCHMARK(BM_MakeMaskRegion_Checker);
BENCHMARK(BM_DecodeSkinBitmaps);
BENCHMARK(BM_LoadSkin);
