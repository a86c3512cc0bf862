#pragma once
// The hexagonal studio box used by the answer boxes, the question frame and the slot bars.
#include "assets/painter.h"

namespace tolarka::art {

enum class BoxFill { Navy, Violet, Orange, Green };

struct BoxShape {
    double width = 0;  // whole picture
    double height = 0;
    double left = 0;     // x of the left point; the lead-in line runs from 0 to here
    double right = 0;    // x of the right point; the lead-in line runs from here to the edge
    double inset = 3.5;  // distance of the top and bottom edges from the picture's edges
    double slant = 14;   // horizontal run of each slanted side
};

// Lead-in lines, glow, gradient fill with a soft sheen, and the bright cyan outline.
void DrawStudioBox(const Painter& p, const BoxShape& shape, BoxFill fill);

}  // namespace tolarka::art
