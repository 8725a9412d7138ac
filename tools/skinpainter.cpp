// Draws Solvane's own artwork: the built-in pictures compiled into the program, the skins
// shipped in skins/ and the program's icon in data/icons/. Run: skinpainter <source tree>
#include <QString>
#include <cstdio>

#include "IconArtist.h"
#include "SkinArtist.h"

namespace {

SkinScheme steel() {
    SkinScheme s;
    s.name = QStringLiteral("builtin");
    s.transparent = QColor(255, 0, 255);
    s.bodyTop = QColor(108, 116, 132);
    s.bodyBottom = QColor(58, 64, 78);
    s.outline = QColor(14, 16, 22);
    s.edgeLight = QColor(150, 158, 176);
    s.edgeDark = QColor(28, 32, 40);
    s.panel = QColor(6, 14, 18);
    s.lit = QColor(86, 232, 255);
    s.unlit = QColor(22, 56, 66);
    s.accent = QColor(140, 220, 250);
    s.buttonFace = QColor(96, 104, 122);
    s.buttonLight = QColor(168, 176, 194);
    s.buttonDark = QColor(34, 38, 48);
    s.titleTop = QColor(72, 98, 150);
    s.titleBottom = QColor(36, 52, 92);
    s.titleText = QColor(232, 238, 255);
    s.label = QColor(196, 206, 226);
    return s;
}

SkinScheme silence() {
    SkinScheme s;
    s.name = QStringLiteral("silence");
    s.transparent = QColor(255, 0, 255);
    s.bodyTop = QColor(96, 70, 104);
    s.bodyBottom = QColor(44, 30, 52);
    s.outline = QColor(12, 6, 14);
    s.edgeLight = QColor(150, 118, 160);
    s.edgeDark = QColor(24, 14, 28);
    s.panel = QColor(18, 10, 6);
    s.lit = QColor(255, 178, 64);
    s.unlit = QColor(64, 42, 18);
    s.accent = QColor(255, 196, 104);
    s.buttonFace = QColor(104, 78, 116);
    s.buttonLight = QColor(166, 136, 178);
    s.buttonDark = QColor(32, 20, 38);
    s.titleTop = QColor(156, 74, 62);
    s.titleBottom = QColor(92, 36, 40);
    s.titleText = QColor(255, 232, 204);
    s.label = QColor(236, 208, 188);
    return s;
}

// Warm copper and ember red; green is its transparent colour, and its corners are rounder.
SkinScheme ember() {
    SkinScheme s;
    s.name = QStringLiteral("ember");
    s.transparent = QColor(0, 255, 0);
    s.bodyTop = QColor(150, 62, 36);
    s.bodyBottom = QColor(72, 24, 16);
    s.outline = QColor(20, 6, 4);
    s.edgeLight = QColor(214, 128, 88);
    s.edgeDark = QColor(40, 12, 8);
    s.panel = QColor(10, 8, 6);
    s.lit = QColor(255, 228, 120);
    s.unlit = QColor(70, 52, 20);
    s.accent = QColor(255, 150, 60);
    s.buttonFace = QColor(132, 60, 40);
    s.buttonLight = QColor(206, 132, 100);
    s.buttonDark = QColor(48, 16, 10);
    s.titleTop = QColor(200, 96, 40);
    s.titleBottom = QColor(120, 40, 20);
    s.titleText = QColor(255, 240, 214);
    s.label = QColor(250, 214, 170);
    s.cornerRadius = 14;
    return s;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: skinpainter <source tree>\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    bool ok = SkinArtist(steel()).WriteSkin(root + QStringLiteral("/resources/builtin"), false);
    ok = ok && SkinArtist(silence()).WriteSkin(root + QStringLiteral("/skins/silence"), true);
    ok = ok && SkinArtist(ember()).WriteSkin(root + QStringLiteral("/skins/ember"), true);
    ok = ok && IconArtist(silence()).WriteIcons(root + QStringLiteral("/data/icons"));
    return ok ? 0 : 1;
}
