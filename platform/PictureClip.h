#pragma once

#include <QImage>

// A picture-clip holder: keeps one skin bitmap and hands out any rectangle of it.
class PictureClip {
  public:
    // A null picture is refused and the held bitmap stays.
    bool SetPicture(const QImage& picture);
    const QImage& Picture() const { return picture_; }
    bool HasPicture() const { return !picture_.isNull(); }

    void SetClipX(int x) { clipX_ = x; }
    void SetClipY(int y) { clipY_ = y; }
    void SetClipWidth(int width) { clipWidth_ = width; }
    void SetClipHeight(int height) { clipHeight_ = height; }
    int ClipX() const { return clipX_; }
    int ClipY() const { return clipY_; }
    int ClipWidth() const { return clipWidth_; }
    int ClipHeight() const { return clipHeight_; }

    // Exactly ClipWidth x ClipHeight pixels from (ClipX, ClipY). The part of the rectangle
    // outside the held bitmap comes out transparent.
    QImage Clip() const;

  private:
    QImage picture_;
    int clipX_ = 0;
    int clipY_ = 0;
    int clipWidth_ = 0;
    int clipHeight_ = 0;
};
