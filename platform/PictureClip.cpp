#include "platform/PictureClip.h"

#include <QPainter>

bool PictureClip::SetPicture(const QImage& picture) {
    if (picture.isNull())
        return false;
    picture_ = picture;
    return true;
}

QImage PictureClip::Clip() const {
    if (clipWidth_ <= 0 || clipHeight_ <= 0)
        return QImage();
    const QRect wanted(clipX_, clipY_, clipWidth_, clipHeight_);
    if (picture_.rect().contains(wanted))
        return picture_.copy(wanted);
    QImage clip(wanted.size(), QImage::Format_ARGB32);
    clip.fill(Qt::transparent);
    const QRect inside = wanted & picture_.rect();
    if (!inside.isEmpty()) {
        QPainter painter(&clip);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(inside.topLeft() - wanted.topLeft(), picture_, inside);
    }
    return clip;
}
