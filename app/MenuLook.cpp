#include "app/MenuLook.h"

#include <QMenu>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

MenuLook::MenuLook(const SkinPalette& colours)
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))), colours_(colours) {}

void MenuLook::Apply(QMenu& menu, const SkinPalette& colours) {
    // The previous look goes with the skin it was made for.
    for (MenuLook* old : menu.findChildren<MenuLook*>(Qt::FindDirectChildrenOnly))
        old->deleteLater();
    auto* look = new MenuLook(colours);
    look->setParent(&menu);
    QPalette palette = menu.palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, colours.background);
        palette.setColor(group, QPalette::Base, colours.background);
        palette.setColor(group, QPalette::WindowText, colours.text);
        palette.setColor(group, QPalette::Text, colours.text);
        palette.setColor(group, QPalette::ButtonText, colours.text);
        palette.setColor(group, QPalette::Highlight, colours.selection);
        palette.setColor(group, QPalette::HighlightedText, colours.selectionText);
    }
    palette.setColor(QPalette::Disabled, QPalette::Window, colours.background);
    menu.setStyle(look);
    menu.setPalette(palette);
    menu.setFont(SkinPalette::ListFont());
}

int MenuLook::pixelMetric(PixelMetric metric, const QStyleOption* option,
                          const QWidget* widget) const {
    if (metric == PM_MenuPanelWidth)
        return 1;
    if (metric == PM_MenuHMargin || metric == PM_MenuVMargin)
        return 1;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

void MenuLook::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                             QPainter* painter, const QWidget* widget) const {
    if (element == PE_PanelMenu || element == PE_FrameMenu) {
        if (element == PE_PanelMenu)
            painter->fillRect(option->rect, colours_.background);
        painter->setPen(colours_.accent);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void MenuLook::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                           const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element != CE_MenuItem || !item) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const QRect r = item->rect;
    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        painter->fillRect(r, colours_.background);
        painter->fillRect(QRect(r.left() + 4, r.center().y(), r.width() - 8, 1), colours_.thumb);
        return;
    }
    const bool highlighted = item->state & State_Selected && item->state & State_Enabled;
    // The same highlight as the list's selection: the skin's fill with its edge.
    painter->fillRect(r, highlighted ? colours_.selection : colours_.background);
    if (highlighted) {
        painter->setPen(colours_.selectionEdge);
        painter->drawRect(r.adjusted(0, 0, -1, -1));
    }
    painter->setFont(item->font);
    painter->setPen(highlighted ? colours_.selectionText : colours_.text);
    const QString text = item->text.section(QLatin1Char('\t'), 0, 0);
    painter->drawText(r.adjusted(10, 0, -10, 0),
                      Qt::AlignVCenter | Qt::AlignLeft | Qt::TextShowMnemonic, text);
}
