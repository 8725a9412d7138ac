#include "platform/Bitmap.h"

#include <QImageReader>

QImage Bitmap::Load(const QString& path) {
    QImageReader reader(path, QByteArrayLiteral("bmp"));
    reader.setDecideFormatFromContent(false);
    QImage picture;
    if (!reader.read(&picture))
        return QImage();
    return picture;
}
