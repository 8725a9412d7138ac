#include "playlist/SkinScrollStyle.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionSlider>
#include <algorithm>

// One base style everywhere, so the bar behaves the same on every desktop.
SkinScrollStyle::SkinScrollStyle(PaletteSource palette)
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))), palette_(std::move(palette)) {}

int SkinScrollStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                 const QWidget* widget) const {
    switch (metric) {
        case PM_ScrollBarExtent:
            return kWidth;
        case PM_ScrollBarSliderMin:
            return kMinimumThumb;
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

int SkinScrollStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                               QStyleHintReturn* data) const {
    // A click on the track pages, as it does in a plain list box; no context menu.
    if (hint == SH_ScrollBar_LeftClickAbsolutePosition || hint == SH_ScrollBar_ContextMenu)
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, data);
}

QRect SkinScrollStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                      SubControl sub, const QWidget* widget) const {
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (control != CC_ScrollBar || !bar)
        return QProxyStyle::subControlRect(control, option, sub, widget);
    const QRect r = bar->rect;
    const bool vertical = bar->orientation == Qt::Vertical;
    const int length = vertical ? r.height() : r.width();
    const long long range = static_cast<long long>(bar->maximum) - bar->minimum;
    const long long page = std::max(bar->pageStep, 1);
    int thumb = range > 0 ? static_cast<int>(length * page / (range + page)) : length;
    thumb = std::clamp(thumb, std::min(kMinimumThumb, length), length);
    const int start = sliderPositionFromValue(bar->minimum, bar->maximum, bar->sliderPosition,
                                              length - thumb, bar->upsideDown);
    const auto along = [&](int from, int size) {
        return vertical ? QRect(r.left(), r.top() + from, r.width(), size)
                        : QRect(r.left() + from, r.top(), size, r.height());
    };
    switch (sub) {
        case SC_ScrollBarGroove:
            return r;
        case SC_ScrollBarSlider:
            return along(start, thumb);
        case SC_ScrollBarSubPage:
            return along(0, start);
        case SC_ScrollBarAddPage:
            return along(start + thumb, length - start - thumb);
        default:
            return QRect();  // no arrow buttons
    }
}

void SkinScrollStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                         QPainter* painter, const QWidget* widget) const {
    if (control != CC_ScrollBar) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const SkinPalette& colours = palette_();
    painter->fillRect(option->rect, colours.track);
    const QRect thumb = subControlRect(control, option, SC_ScrollBarSlider, widget);
    if (thumb.isEmpty())
        return;
    painter->fillRect(thumb, colours.thumb);
    // Raised like the frame: light top and left, dark bottom and right.
    painter->fillRect(QRect(thumb.left(), thumb.top(), thumb.width(), 1), colours.thumbLight);
    painter->fillRect(QRect(thumb.left(), thumb.top(), 1, thumb.height()), colours.thumbLight);
    painter->fillRect(QRect(thumb.left(), thumb.bottom(), thumb.width(), 1), colours.thumbDark);
    painter->fillRect(QRect(thumb.right(), thumb.top(), 1, thumb.height()), colours.thumbDark);
    // Grip lines across the middle when the thumb is long enough.
    if (thumb.height() >= 12 && thumb.width() >= 5) {
        const int y = thumb.center().y() - 2;
        for (int i = 0; i < 3; ++i)
            painter->fillRect(QRect(thumb.left() + 2, y + 2 * i, thumb.width() - 4, 1),
                              colours.thumbLight);
    }
}
