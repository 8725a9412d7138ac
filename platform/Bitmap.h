#pragma once

#include <QImage>
#include <QString>

namespace Bitmap {

// Reads a BMP file (any depth the platform's reader knows) into a picture; a null picture when
// the file is missing or is not a readable BMP. The format is named, so no other image plugin
// is asked, which keeps start-up quick.
QImage Load(const QString& path);

}  // namespace Bitmap
