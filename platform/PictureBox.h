#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QWidget>

#include "platform/TwipsRect.h"

// A picture box with a persistent bitmap: what is assigned or painted into it stays in its
// image (not only on screen), so its pixels can be read back while it is hidden. Its size is
// its design size, in twips, unless something sets it.
class PictureBox : public QWidget {
    Q_OBJECT
  public:
    explicit PictureBox(QWidget* parent, int index = 0);

    int Index() const { return index_; }

    void Move(float left, float top, float width, float height);
    float Left() const { return twips_.left; }
    float Top() const { return twips_.top; }
    float Width() const { return twips_.width; }
    float Height() const { return twips_.height; }

    // The inner area, in pixels and in twips (the box has no border).
    int ScaleWidthPixels() const { return image_.width(); }
    int ScaleHeightPixels() const { return image_.height(); }
    float ScaleWidth() const { return twips_.width; }
    float ScaleHeight() const { return twips_.height; }

    // Assigning a picture lays it over the back colour at the top-left corner.
    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return picture_; }

    // Copies source rectangle `from` of `source` to rectangle `to` of the box, stretching when
    // the sizes differ. Whatever lies outside the source bitmap is not copied.
    void PaintPicture(const QImage& source, const QRect& to, const QRect& from);

    // The colour value (red + 256 green + 65536 blue) at a pixel of the persistent bitmap,
    // or -1 outside it.
    long GetPixel(int x, int y) const;
    const QImage& Image() const { return image_; }

    static QColor DefaultBackColor() { return QColor(240, 240, 240); }

  signals:
    // A press and release of the left button over the box.
    void Clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void resizeImage();

    const int index_ = 0;
    TwipsRect twips_;
    QImage picture_;
    QImage image_;
};
