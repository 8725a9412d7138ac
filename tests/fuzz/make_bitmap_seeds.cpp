// Writes the fuzzer's generated seeds: small pictures in every BMP flavour a skin may come in,
// and the same cut short or claiming a huge size. Usage: make_bitmap_seeds FOLDER
#include <QDir>
#include <QFile>
#include <QImage>
#include <cstdio>

#include "BmpWriter.h"

namespace {

// A few colours, magenta among them, so that palettes, runs and the mask scan all have work.
QImage picture(int width, int height) {
    const QRgb colours[] = {qRgb(255, 0, 255), qRgb(0, 0, 0),     qRgb(255, 255, 255),
                            qRgb(200, 30, 40), qRgb(20, 180, 60), qRgb(10, 20, 230)};
    QImage out(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool border = x < 2 || y < 1 || x >= width - 2;
            const QRgb c = border ? colours[0] : colours[1 + (x / 4 + y / 3) % 5];
            out.setPixel(x, y, (c & 0xFFFFFF) | (qAlpha(c) & (x % 3 ? 0xFF : 0x00)) << 24);
        }
    return out;
}

bool save(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_bitmap_seeds FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    const QImage small = picture(23, 11);
    const QImage wide = picture(64, 5);
    bool ok = true;
    for (const auto& flavour : BmpWriter::All()) {
        const QString name = folder + QLatin1Char('/') + QLatin1String(flavour.name);
        const QByteArray bytes = BmpWriter::Encode(small, flavour.flavour);
        ok &= save(name + ".bmp", bytes);
        ok &= save(name + "-wide.bmp", BmpWriter::Encode(wide, flavour.flavour));
        ok &= save(name + "-cut.bmp", bytes.left(bytes.size() * 3 / 4));
    }
    // A few bytes of run-length data may claim any size.
    QByteArray huge = BmpWriter::Encode(picture(1, 1), BmpWriter::Flavour::Rle8);
    for (int i = 0; i < 4; ++i) huge[18 + i] = huge[22 + i] = static_cast<char>(i == 1 ? 0x40 : 0);
    ok &= save(folder + "/rle8-claims-huge.bmp", huge);
    return ok ? 0 : 1;
}
