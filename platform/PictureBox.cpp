#include "platform/PictureBox.h"

#include <QList>
#include <QMouseEvent>
#include <QPainter>
#include <cstring>
#include <vector>

#include "platform/Screen.h"

PictureBox::PictureBox(QWidget* parent, int index) : QWidget(parent), index_(index) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::Move(float left, float top, float width, float height) {
    twips_ = TwipsRect{left, top, width, height};
    setGeometry(twips_.Pixels());
    resizeImage();
}

void PictureBox::resizeImage() {
    const QSize size = twips_.PixelSize();
    if (size == image_.size())
        return;
    QImage resized(size, QImage::Format_RGB32);
    resized.fill(DefaultBackColor());
    if (!image_.isNull()) {
        QPainter painter(&resized);
        painter.drawImage(0, 0, image_);
    }
    image_ = resized;
}

void PictureBox::SetPicture(const QImage& picture) {
    // Held as 32-bit pixels: every piece later painted from it is then a plain copy.
    picture_ = picture.isNull() ? picture : picture.convertToFormat(QImage::Format_RGB32);
    if (picture_.size() == image_.size() && picture_.format() == image_.format()) {
        image_ = picture_;  // shared until something paints into the box
    } else {
        image_.fill(DefaultBackColor());
        PaintPicture(picture_, picture_.rect(), picture_.rect());
    }
    update();
}

namespace {

// Reads rows of an 8-bit or 32-bit picture as 32-bit pixels without converting the picture.
class PixelSource {
  public:
    explicit PixelSource(const QImage& image) : image_(image) {
        if (image_.format() == QImage::Format_Indexed8) {
            const QList<QRgb> colours = image_.colorTable();
            for (int i = 0; i < colours.size() && i < 256; ++i)
                table_[i] = colours[i] | 0xFF000000u;
            indexed_ = true;
        } else if (image_.format() != QImage::Format_RGB32) {
            image_ = image_.convertToFormat(QImage::Format_RGB32);
        }
    }
    // Copies the listed source columns of row y into out.
    void CopyRow(int y, const int* columns, int n, QRgb* out) const {
        const uchar* line = image_.constScanLine(y);
        if (!indexed_ && columns[n - 1] - columns[0] == n - 1) {  // unstretched
            std::memcpy(out, reinterpret_cast<const QRgb*>(line) + columns[0], sizeof(QRgb) * n);
            return;
        }
        if (indexed_) {
            for (int i = 0; i < n; ++i) out[i] = table_[line[columns[i]]];
        } else {
            const QRgb* in = reinterpret_cast<const QRgb*>(line);
            for (int i = 0; i < n; ++i) out[i] = in[columns[i]] | 0xFF000000u;
        }
    }

  private:
    QImage image_;
    QRgb table_[256] = {};
    bool indexed_ = false;
};

// Nearest source offset of a target offset when `to` target pixels show `from` source pixels.
int mapped(int offset, int from, int to) {
    return from == to ? offset : static_cast<int>(static_cast<long long>(offset) * from / to);
}

}  // namespace

void PictureBox::PaintPicture(const QImage& source, const QRect& to, const QRect& from) {
    if (source.isNull() || from.isEmpty() || to.isEmpty())
        return;
    const QRect inside = from & source.rect();
    if (inside.isEmpty())
        return;
    // Nearest-neighbour mapping of every target pixel onto the source rectangle; the target
    // pixels whose source lies outside the bitmap are left as they were.
    const QRect target = to & image_.rect();
    if (target.isEmpty())
        return;
    const PixelSource pixels(source);
    // The source column of every target column, worked out once. The mapping only grows, so
    // the columns whose source lies inside the bitmap form one run.
    thread_local std::vector<int> columns;
    columns.clear();
    int first = -1;
    for (int tx = target.left(); tx <= target.right(); ++tx) {
        const int sx = from.x() + mapped(tx - to.x(), from.width(), to.width());
        if (sx < inside.left())
            continue;
        if (sx > inside.right())
            break;
        if (first < 0)
            first = tx;
        columns.push_back(sx);
    }
    if (columns.empty())
        return;
    for (int ty = target.top(); ty <= target.bottom(); ++ty) {
        const int sy = from.y() + mapped(ty - to.y(), from.height(), to.height());
        if (sy < inside.top() || sy > inside.bottom())
            continue;
        pixels.CopyRow(sy, columns.data(), static_cast<int>(columns.size()),
                       reinterpret_cast<QRgb*>(image_.scanLine(ty)) + first);
    }
    update();
}

long PictureBox::GetPixel(int x, int y) const {
    if (!image_.valid(x, y))
        return -1;
    const QRgb rgb = image_.pixel(x, y);
    return static_cast<long>(qRed(rgb)) + 256L * qGreen(rgb) + 65536L * qBlue(rgb);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->pos()))
        emit Clicked();
}
