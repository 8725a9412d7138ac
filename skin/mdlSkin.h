#pragma once

#include <QString>

class Forms;
class SpriteTable;

// The skin engine: the cell table, drawing cells, loading a skin directory, shaping the main
// window and painting the playlist frame. Every step goes on past a failure.
namespace mdlSkin {

const SpriteTable& Sprites();
void FillSpriteTable();

// Puts the cell (kind, index, state) on its image control; for kind 8 the state is the
// digit position. Kinds outside 1 to 9 do nothing.
void DrawSprite(Forms& forms, int kind, int index, int state);

void LoadSkin(Forms& forms, const QString& path);
void InitSkin(Forms& forms);

// The program directory, then the skin named in default.ini.
QString StartupSkinDirectory();

// Reads region.txt and reshapes the main window; a text that is not a 16-bit number leaves
// the shape as it was. Returns whether the window was reshaped.
bool ApplyTransparentColour(Forms& forms, const QString& skinDirectory);

// Returns false when a step failed and ended the painting early.
bool PaintPlaylistFrame(Forms& forms);

}  // namespace mdlSkin
