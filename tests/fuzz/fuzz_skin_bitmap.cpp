// Fuzzes the road every skin bitmap takes: the file into a picture, the picture into a
// picture-clip holder with every cell of the table cut out of it, and the mask scan of a main
// bitmap. No crash, no hang, no memory error, no large allocation; and what loads is opaque,
// within the size limit, and gives cells of exactly the table's size.
#include <cstddef>
#include <cstdint>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "app/frmMain.h"
#include "platform/Bitmap.h"
#include "platform/PictureBox.h"
#include "platform/PictureClip.h"
#include "platform/Screen.h"
#include "skin/SpriteTable.h"

namespace {

// Larger than any shipped bitmap; the loader's own limits are far above it.
constexpr std::size_t kMaxInput = 256 * 1024;

struct Bench {
    QTemporaryDir dir;
    QString path = dir.path() + QStringLiteral("/fuzz.bmp");
    PictureBox mask{nullptr};
};

Bench* bench = nullptr;

void check(bool holds) {
    if (!holds)
        __builtin_trap();
}

void cutEveryCell(const QImage& picture) {
    PictureClip holder;
    check(holder.SetPicture(picture));
    for (int kind = 1; kind <= Sprite::kKinds; ++kind)
        for (int index = 0; index <= 31; ++index)
            for (int state = 0; state <= 3; ++state) {
                const auto cell = SpriteTable::Cells().Lookup(*Sprite::KindOf(kind), index, state);
                if (!cell || cell->width <= 0 || cell->height <= 0)
                    continue;
                holder.SetClipX(cell->x);
                holder.SetClipY(cell->y);
                holder.SetClipWidth(cell->width);
                holder.SetClipHeight(cell->height);
                check(holder.Clip().size() == QSize(cell->width, cell->height));
            }
}

// The shape stays inside the window (it is empty when every pixel is transparent).
void checkShape(const QRegion& region) {
    check(region.isEmpty() || QRect(0, 0, 275, 116).contains(region.boundingRect()));
}

void scanMask(const QImage& picture) {
    bench->mask.SetPicture(picture);
    long magenta = 0xFF00FF;
    checkShape(frmMain::MakeMaskRegion(bench->mask, magenta));
    long topLeft = 0;  // the pixel at the top left becomes the transparent colour
    checkShape(frmMain::MakeMaskRegion(bench->mask, topLeft));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv);  // lives as long as the process
    Screen::SetTwipsPerPixel(15, 15);
    bench = new Bench;
    bench->mask.Move(0.0f, 0.0f, 4125.0f, 1740.0f);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kMaxInput)
        return 0;
    QFile file(bench->path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.close();

    const QImage picture = Bitmap::Load(bench->path);
    if (picture.isNull())
        return 0;
    check(!picture.hasAlphaChannel());
    check(qint64(picture.width()) * picture.height() <= Bitmap::kMaxPixels);
    cutEveryCell(picture);
    scanMask(picture);
    return 0;
}
