#pragma once

#include <QProxyStyle>
#include <functional>

#include "skin/SkinPalette.h"

// A narrow scrollbar in the frame's colours: a dark track and a raised thumb, no arrow
// buttons. The thumb's size and place follow the value as any scrollbar's do.
class SkinScrollStyle : public QProxyStyle {
    Q_OBJECT
  public:
    using PaletteSource = std::function<const SkinPalette&()>;

    explicit SkinScrollStyle(PaletteSource palette);

    static constexpr int kWidth = 7;
    static constexpr int kMinimumThumb = 10;

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr, QStyleHintReturn* data = nullptr) const override;

  private:
    PaletteSource palette_;
};
