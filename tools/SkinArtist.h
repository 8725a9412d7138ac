#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include "skin/Sprite.h"

// The colours of one skin; the drawing is the same for every scheme.
struct SkinScheme {
    QString name;
    QColor transparent;
    QColor bodyTop, bodyBottom;
    QColor outline, edgeLight, edgeDark;
    QColor panel, lit, unlit;
    QColor accent;
    QColor buttonFace, buttonLight, buttonDark;
    QColor titleTop, titleBottom, titleText;
    QColor label;
    int cornerRadius = 6;  // the outline's rounded corners, cut by the transparent colour
};

// Draws the eleven skin bitmaps; each element goes into the cell the player cuts it from.
class SkinArtist {
  public:
    explicit SkinArtist(SkinScheme scheme) : s_(std::move(scheme)) {}

    QImage Main() const;
    QImage Titlebar() const;
    QImage CButtons() const;
    QImage ShufRep() const;
    QImage PosBar() const;
    QImage Volume() const;
    QImage Balance() const;
    QImage PlayPaus() const;
    QImage Numbers() const;
    QImage MonoSter() const;
    QImage PlEdit() const;

    // Writes every bitmap as a 256-colour BMP, and region.txt when asked.
    bool WriteSkin(const QString& directory, bool withRegion) const;

  private:
    void drawButtonFace(QImage& image, const QRect& r, bool pressed) const;
    void drawSunken(QImage& image, const QRect& r, QColor fill) const;
    void drawTitleStrip(QImage& image, const QRect& cell, int look) const;
    void drawSegments(QImage& image, int x, int digit) const;
    void drawLevelBar(QImage& image, const QRect& cell, int level, bool fromCentre) const;
    void drawKnob(QImage& image, const QRect& cell, bool pressed) const;
    QImage levels(Sprite::Kind kind) const;
    void drawMenuItem(QImage& image, int x, int y, const QString& text, bool highlighted) const;
    QColor ramp(double t) const;

    SkinScheme s_;
};
