#pragma once

#include <QColor>
#include <QFont>
#include <QImage>

// The colours of the list, its scrollbar and the menus, read from the playlist bitmap so that a
// skin's artist sets them with the frame: the highlighted menu item gives the selection, the
// menu's side strip the accent, the right edge tile the scrollbar.
struct SkinPalette {
    QColor background = Qt::black;
    QColor text = Qt::white;
    QColor selection{64, 64, 96};
    QColor selectionEdge{160, 160, 200};
    QColor selectionText = Qt::white;
    QColor accent{255, 200, 96};  // the playing entry and the menus' highlight edge
    QColor track{16, 16, 20};
    QColor thumb{96, 96, 112};
    QColor thumbLight{160, 160, 176};
    QColor thumbDark{32, 32, 40};

    // Sampled from a playlist bitmap; places outside a smaller bitmap keep the defaults.
    static SkinPalette From(const QImage& pledit);

    // Small, crisp lettering without smoothing, in the spirit of the skin's pixel font; glyphs
    // it lacks come from the machine's other fonts.
    static QFont ListFont();
};
