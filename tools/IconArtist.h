#pragma once

#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>
#include <functional>

#include "SkinArtist.h"

// Draws the program's icon in a skin's colours: the player's body with its title strip, a dark
// display with the play mark and, from 32 pixels up, the seek groove and its knob. Every size is
// drawn on its own pixel grid, so the small ones stay crisp.
class IconArtist {
  public:
    explicit IconArtist(SkinScheme scheme) : s_(std::move(scheme)) {}

    // The sizes of the hicolor icon theme that are shipped.
    static const QList<int>& Sizes();

    QImage Icon(int size) const;

    // Writes <directory>/<size>.png for every shipped size.
    bool WriteIcons(const QString& directory) const;

  private:
    // Fraction of the pixel (x, y) that lies inside the shape, sampled on a 4 x 4 grid.
    using Shape = std::function<bool(double, double)>;
    static double coverage(const Shape& inside, int x, int y);
    static void blend(QImage& image, int x, int y, QColor colour, double alpha);

    void drawBody(QImage& image, int size) const;
    void drawTitleGrooves(QImage& image, int size) const;
    void drawDisplay(QImage& image, int size) const;
    void drawCrispMark(QImage& image, int size, double cx, double cy) const;
    void drawSmoothMark(QImage& image, double height, double cx, double cy) const;
    void drawSeekBar(QImage& image, int size) const;

    SkinScheme s_;
};
