#pragma once
// The program icon, drawn at any size: the window's icon inside the game and the desktop
// icons of an installed game come from this one drawing.
#include <array>

#include "assets/artwork.h"
#include "assets/painter.h"

namespace tolarka::art {

// Draws the icon into the square (0, 0)–(size, size).
void DrawProgramIcon(const Painter& p, int size);

// The sizes of the desktop's icon theme that an installed game provides as PNG files.
inline constexpr std::array<int, 8> kDesktopIconSizes{16, 22, 24, 32, 48, 64, 128, 256};

// The icon at one size as a picture of its own ("DESKTOP-ICON-48").
Artwork ProgramIconArtwork(int size);

}  // namespace tolarka::art
