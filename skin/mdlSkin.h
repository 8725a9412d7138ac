#pragma once

#include <QString>

#include "skin/Sprite.h"

class SkinHost;
class SpriteTable;

// The skin engine: the cell table, drawing cells, loading a skin directory, shaping the main
// window and painting the playlist frame. Every step goes on past a failure.
namespace mdlSkin {

// The cell table. It is a constant, so start-up has nothing to fill.
const SpriteTable& Sprites();

// Puts the cell (kind, index, state) on its image control; for kind 8 the state is the
// digit position.
void DrawSprite(SkinHost& skin, Sprite::Kind kind, int index, int state);
// The same with the kind's number; numbers outside 1 to 9 do nothing.
void DrawSprite(SkinHost& skin, int kind, int index, int state);

void LoadSkin(SkinHost& skin, const QString& path);
void InitSkin(SkinHost& skin);

// The program directory, then the skin named in default.ini.
QString StartupSkinDirectory();

// Reads region.txt and reshapes the main window; a text that is not a 16-bit number leaves
// the shape as it was. Returns whether the window was reshaped.
bool ApplyTransparentColour(SkinHost& skin, const QString& skinDirectory);

// Returns false when a step failed and ended the painting early.
bool PaintPlaylistFrame(SkinHost& skin);

}  // namespace mdlSkin
