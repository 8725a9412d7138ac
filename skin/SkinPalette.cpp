#include "skin/SkinPalette.h"

namespace {

// Where the pieces sit in the playlist bitmap (see the frame painter).
constexpr QPoint kHighlightedItemEdge{23, 111};  // top-left pixel of the first highlighted item
constexpr QPoint kHighlightedItemFill{24, 113};
constexpr QPoint kMenuStrip{48, 111};  // the side strip of the first menu
constexpr QPoint kEdgeTileBody{38, 56};
constexpr QPoint kEdgeTileLight{43, 56};
constexpr QPoint kEdgeTileDark{48, 56};

void sample(const QImage& image, QPoint at, QColor& into) {
    if (image.valid(at))
        into = QColor(image.pixel(at)).toRgb();
}

QColor mix(QColor a, QColor b, double t) {
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t,
                            a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t)
        .toRgb();
}

// A colour drawn on black stays readable whatever the artist chose.
QColor readableOnBlack(QColor c) {
    return qGray(c.rgb()) < 96 ? mix(c, Qt::white, 0.5) : c;
}

}  // namespace

SkinPalette SkinPalette::From(const QImage& pledit) {
    SkinPalette p;
    sample(pledit, kHighlightedItemFill, p.selection);
    sample(pledit, kHighlightedItemEdge, p.selectionEdge);
    sample(pledit, kMenuStrip, p.accent);
    sample(pledit, kEdgeTileBody, p.thumb);
    sample(pledit, kEdgeTileLight, p.thumbLight);
    sample(pledit, kEdgeTileDark, p.thumbDark);
    p.selectionText = qGray(p.selection.rgb()) < 140 ? QColor(Qt::white) : QColor(Qt::black);
    p.accent = readableOnBlack(p.accent);
    p.track = mix(p.thumbDark, Qt::black, 0.6);
    return p;
}

QFont SkinPalette::ListFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(9);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}
