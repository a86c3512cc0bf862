#pragma once
// The game's coin emblem: a gold tolar with a "T", used by the logo, the icons and the splash.
#include "assets/painter.h"

namespace tolarka::art {

void DrawCoin(const Painter& p, double cx, double cy, double r);

}  // namespace tolarka::art
