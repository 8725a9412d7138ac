#pragma once

// Twips per pixel of Qt's device-independent pixels: 15, the 96-DPI value, whatever the
// screen reports, so that window sizes in twips and controls placed in pixels always agree.
// High-density screens are left to the device pixel ratio. Tests replace the value to check
// layouts at other densities.
class Screen {
  public:
    static constexpr float kTwipsPerPixel = 15.0f;

    static float TwipsPerPixelX();
    static float TwipsPerPixelY();

    // A value of 0 goes back to the device-independent value.
    static void SetTwipsPerPixel(float x, float y);

    static int ToPixelsX(float twips);
    static int ToPixelsY(float twips);

    // The whole-number scale for a wanted one (1.25 -> 1, 1.5 -> 2, never below 1): skin
    // pixel art stays even only when every skin pixel covers the same number of screen pixels.
    static double WholeNumberScale(double wanted);
    // Before the application exists: screen scale factors and QT_SCALE_FACTOR become whole.
    static void UseWholeNumberScales();
};
