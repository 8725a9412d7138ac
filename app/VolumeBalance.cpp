#include "app/VolumeBalance.h"

#include <algorithm>
#include <cmath>

#include "app/Forms.h"
#include "app/frmMain.h"
#include "platform/PlaybackControl.h"
#include "platform/Screen.h"
#include "skin/Sprite.h"
#include "skin/mdlSkin.h"

namespace {

// Levels run from 1 to 28; 0 and below show 1, 28 and above show 28.
int heldLevel(float quotient) {
    const int level = static_cast<int>(std::nearbyint(quotient));
    if (level < 1)
        return 1;
    if (level > 27)
        return 28;
    return level;
}

int sendValue(float fraction, float range, float offset) {
    return static_cast<int>(std::nearbyint(static_cast<double>(fraction) * range - offset));
}
}  // namespace

void VolumeBalance::imgVolumeBut_MouseDown(int index, MouseArgs args) {
    if (index != 1 || args.button != 1)
        return;
    VolumeDragX = Mouse::ToInt16(args.x);
    mdlSkin::DrawSprite(main_.forms(), Sprite::Volume, Sprite::KnobPressed, 0);
}

void VolumeBalance::imgVolumeBut_MouseMove(int index, MouseArgs args) {
    if (index != 1 || VolumeDragX == 0)
        return;
    placeVolumeKnob(main_.imgVolumeBut[1]->Left() + args.x - VolumeDragX);
}

float VolumeBalance::volumeLow() const {
    return 107 * Screen::TwipsPerPixelX();
}

float VolumeBalance::volumeHigh() const {
    return 172 * Screen::TwipsPerPixelX() - main_.imgVolumeBut[0]->Width();
}

void VolumeBalance::placeVolumeKnob(float wanted) {
    const float low = volumeLow();
    const float high = volumeHigh();
    main_.imgVolumeBut[0]->SetLeft(wanted < low ? low : (wanted > high ? high : wanted));
    const float left = main_.imgVolumeBut[0]->Left() - low;
    const float quotient = left / ((high - low) / 28.0f);
    mdlSkin::DrawSprite(main_.forms(), Sprite::Volume, heldLevel(quotient), 0);
    main_.Playback().SetVolume(sendValue(left / (high - low), 3000, 3000));
    emit main_.VolumeChanged();
}

void VolumeBalance::SetVolumeFraction(double fraction) {
    const float low = volumeLow();
    placeVolumeKnob(low + static_cast<float>(fraction) * (volumeHigh() - low));
    // The overlay that takes the mouse rests on the knob.
    main_.imgVolumeBut[1]->SetLeft(main_.imgVolumeBut[0]->Left());
}

double VolumeBalance::VolumeFraction() const {
    const float low = volumeLow();
    const float high = volumeHigh();
    if (high <= low)
        return 0.0;
    return std::clamp((main_.imgVolumeBut[0]->Left() - low) / (high - low), 0.0f, 1.0f);
}

void VolumeBalance::imgVolumeBut_MouseUp(int index, MouseArgs) {
    if (index != 1 || VolumeDragX == 0)
        return;
    VolumeDragX = 0;
    mdlSkin::DrawSprite(main_.forms(), Sprite::Volume, Sprite::KnobReleased, 0);
    main_.imgVolumeBut[1]->SetLeft(main_.imgVolumeBut[0]->Left());
}

void VolumeBalance::imgVolume_MouseDown(MouseArgs args) {
    if (args.button != 1)
        return;
    main_.imgVolumeBut[0]->SetLeft(main_.imgVolume->Left() + args.x -
                                   main_.imgVolumeBut[0]->Width() / 2);
    main_.imgVolumeBut[1]->SetLeft(main_.imgVolumeBut[0]->Left());
    emit main_.VolumeChanged();
}

void VolumeBalance::imgBalanceBut_MouseDown(int index, MouseArgs args) {
    if (index != 1 || args.button != 1)
        return;
    BalanceDragX = Mouse::ToInt16(args.x);
    mdlSkin::DrawSprite(main_.forms(), Sprite::Balance, Sprite::KnobPressed, 0);
}

void VolumeBalance::imgBalanceBut_MouseMove(int index, MouseArgs args) {
    if (index != 1 || BalanceDragX == 0)
        return;
    const float tpp = Screen::TwipsPerPixelX();
    const float low = 177 * tpp;
    const float high = 215 * tpp - main_.imgBalanceBut[0]->Width();
    const float centre = low + (high - low) / 2;
    const float three = 3 * tpp;
    const float wanted = main_.imgBalanceBut[1]->Left() + args.x - BalanceDragX;
    float place = wanted;
    if (wanted < low + three) {
        place = low;
    } else if (wanted > high - three) {
        place = high;
    } else if (centre - three < wanted && wanted < centre + three) {
        place = centre;
    }
    main_.imgBalanceBut[0]->SetLeft(place);

    const float d = main_.imgBalanceBut[0]->Left() - low;
    const float half = (high - low) / 2;
    int level = 1;
    if (d < half) {
        level = 28 - static_cast<int>(std::nearbyint(d / (half / 28.0f)));
    } else if (d > half) {
        level = static_cast<int>(std::nearbyint((d - half) / (half / 28.0f)));
    }
    mdlSkin::DrawSprite(main_.forms(), Sprite::Balance, heldLevel(static_cast<float>(level)), 0);
    main_.Playback().SetBalance(sendValue(d / (high - low), 6000, 3000));
}

void VolumeBalance::imgBalanceBut_MouseUp(int index, MouseArgs) {
    if (index != 1 || BalanceDragX == 0)
        return;
    BalanceDragX = 0;
    mdlSkin::DrawSprite(main_.forms(), Sprite::Balance, Sprite::KnobReleased, 0);
    main_.imgBalanceBut[1]->SetLeft(main_.imgBalanceBut[0]->Left());
}
