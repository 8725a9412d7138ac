#pragma once

#include <QProxyStyle>

#include "skin/SkinPalette.h"

class QMenu;

// The skin's look for a popup menu: a dark panel with a frame in the skin's accent, the list's
// crisp lettering, and the list's selection highlight on the item under the pointer.
class MenuLook : public QProxyStyle {
    Q_OBJECT
  public:
    explicit MenuLook(const SkinPalette& colours);

    // Gives the menu the look of these colours; the menu keeps its look object as a child.
    static void Apply(QMenu& menu, const SkinPalette& colours);

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;

  private:
    SkinPalette colours_;
};
