#include "app/SeekBar.h"

#include <algorithm>
#include <cmath>

#include "app/Forms.h"
#include "app/frmMain.h"
#include "platform/PlaybackControl.h"
#include "platform/Screen.h"
#include "skin/Sprite.h"
#include "skin/mdlSkin.h"

float SeekBar::travelLow() const {
    return 16.0f * Screen::TwipsPerPixelX();
}

float SeekBar::travelHigh() const {
    return 264.0f * Screen::TwipsPerPixelX() - main_.imgPosSlide[0]->Width();
}

void SeekBar::seekFromSlider() {
    const float barLeft = main_.imgPosBar->Left();
    const float barWidth = main_.imgPosBar->Width();
    const float sliderWidth = main_.imgPosSlide[0]->Width();
    PlaybackControl& control = main_.Playback();
    const double duration = control.Duration();
    // Without a known length, or without travel, there is nothing to seek to.
    if (duration > 0.0 && barWidth != sliderWidth) {
        const double left = main_.imgPosSlide[0]->Left();
        control.SetCurrentPosition(duration * (left - barLeft) / (barWidth - sliderWidth));
    }
    SlideDragX = 0;
    mdlSkin::DrawSprite(main_.forms(), Sprite::SeekBar, Sprite::SeekSlider, Sprite::Released);
    main_.imgPosSlide[1]->SetLeft(main_.imgPosSlide[0]->Left());
    blnSeeking = false;
}

void SeekBar::imgPosSlide_MouseDown(int index, MouseArgs args) {
    if (index != 1 || args.button != 1 || !Seekable())
        return;
    SlideDragX = Mouse::ToInt16(args.x);
    mdlSkin::DrawSprite(main_.forms(), Sprite::SeekBar, Sprite::SeekSlider, Sprite::Pressed);
    blnSeeking = true;
}

void SeekBar::imgPosSlide_MouseMove(int index, MouseArgs args) {
    if (index != 1 || SlideDragX == 0)
        return;
    const float low = travelLow();
    const float high = travelHigh();
    const float wanted = main_.imgPosSlide[1]->Left() + args.x - SlideDragX;
    main_.imgPosSlide[0]->SetLeft(wanted < low ? low : (wanted > high ? high : wanted));
}

void SeekBar::imgPosSlide_MouseUp(int index, MouseArgs) {
    if (index != 1 || SlideDragX == 0)
        return;
    seekFromSlider();
}

bool SeekBar::Seekable() {
    return !main_.forms().Playing().PlayingStream();
}

void SeekBar::imgPosBar_MouseDown(MouseArgs args) {
    if (!Seekable())
        return;
    // The slider's centre goes under the press, held inside the travel that maps onto the media.
    const float barLeft = main_.imgPosBar->Left();
    const float sliderWidth = main_.imgPosSlide[0]->Width();
    const float highest = barLeft + main_.imgPosBar->Width() - sliderWidth;
    const float left =
        std::clamp(barLeft + args.x - sliderWidth / 2.0f, barLeft, std::max(barLeft, highest));
    main_.imgPosSlide[0]->SetLeft(left);
    seekFromSlider();
}

void SeekBar::Follow(double position, double duration) {
    if (blnSeeking || !(duration > 0.0))
        return;
    const float barWidth = main_.imgPosBar->Width();
    const float sliderWidth = main_.imgPosSlide[0]->Width();
    const float left = static_cast<float>(position / duration * (barWidth - sliderWidth) +
                                          main_.imgPosBar->Left());
    main_.imgPosSlide[0]->SetLeft(left);
    main_.imgPosSlide[1]->SetLeft(main_.imgPosSlide[0]->Left());
}
