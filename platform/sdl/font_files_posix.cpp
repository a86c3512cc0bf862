#include "platform/font_files.h"

namespace tolarka::platform {

// The files the build found (Debian's fonts-liberation and fonts-dejavu-core), which an
// installed game depends on.
const GameFontFiles& FontFiles() {
    static const GameFontFiles files{TOLARKA_FONT_SANS_FILE, TOLARKA_FONT_SANS_BOLD_FILE,
                                     TOLARKA_FONT_VERDANA_FILE, TOLARKA_FONT_VERDANA_BOLD_FILE};
    return files;
}

}  // namespace tolarka::platform
