#include "TestSkin.h"

#include <QDir>
#include <QFile>
#include <QHash>

#include "platform/Paths.h"

TestProgramDir::TestProgramDir() {
    Paths::SetProgramDirectory(dir_.path());
}

TestProgramDir::~TestProgramDir() {
    Paths::SetProgramDirectory(QString());
}

QString TestProgramDir::Make(const QString& relative) const {
    const QString path = dir_.path() + QLatin1Char('/') + relative;
    QDir().mkpath(path);
    return path;
}

void TestProgramDir::WriteFile(const QString& relative, const QByteArray& bytes) const {
    QFile file(dir_.path() + QLatin1Char('/') + relative);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

namespace CoordinateSkin {

const QStringList& BitmapNames() {
    static const QStringList names = {"main.bmp",     "cbuttons.bmp", "titlebar.bmp", "pledit.bmp",
                                      "shufrep.bmp",  "posbar.bmp",   "volume.bmp",   "balance.bmp",
                                      "playpaus.bmp", "numbers.bmp",  "monoster.bmp"};
    return names;
}

QSize BuiltInSize(const QString& name) {
    static const QHash<QString, QSize> sizes = {
        {"main.bmp", {275, 116}},   {"cbuttons.bmp", {136, 36}}, {"titlebar.bmp", {344, 87}},
        {"pledit.bmp", {280, 186}}, {"shufrep.bmp", {92, 85}},   {"posbar.bmp", {307, 10}},
        {"volume.bmp", {68, 433}},  {"balance.bmp", {68, 433}},  {"playpaus.bmp", {42, 9}},
        {"numbers.bmp", {99, 13}},  {"monoster.bmp", {58, 24}}};
    return sizes.value(name);
}

QImage Make(int bitmap, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x & 255, y & 255, bitmap * 8 + (x >> 8) * 2 + (y >> 8)));
    return image;
}

Origin Decode(QRgb pixel) {
    const int blue = qBlue(pixel);
    return Origin{blue / 8, qRed(pixel) + ((blue >> 1) & 1) * 256,
                  qGreen(pixel) + (blue & 1) * 256};
}

void Write(const QString& directory, QStringList names, double scale) {
    QDir().mkpath(directory);
    if (names.isEmpty())
        names = BitmapNames();
    for (const QString& name : names) {
        const QSize size = BuiltInSize(name) * scale;
        Make(static_cast<int>(BitmapNames().indexOf(name)) + 1, size)
            .convertToFormat(QImage::Format_RGB888)
            .save(directory + QLatin1Char('/') + name, "BMP");
    }
}

}  // namespace CoordinateSkin
