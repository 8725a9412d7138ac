#pragma once

// The screen's twips per pixel (1440 / logical DPI), read at each use.
// Tests replace it to check layouts at other densities.
class Screen {
  public:
    static float TwipsPerPixelX();
    static float TwipsPerPixelY();

    // A value of 0 goes back to reading the real screen.
    static void SetTwipsPerPixel(float x, float y);

    static int ToPixelsX(float twips);
    static int ToPixelsY(float twips);
};
