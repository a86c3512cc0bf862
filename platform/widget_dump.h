#pragma once
#include <string>

namespace tolarka::platform {

class Screen;

// A text listing of a screen's widget tree, one widget per line, indented by depth: kind, name,
// place and size in twips, visibility, enabled state, and the caption, picture or text. Used by
// tests and for debugging a layout without a screenshot.
std::string DumpWidgets(const Screen& screen);

}  // namespace tolarka::platform
