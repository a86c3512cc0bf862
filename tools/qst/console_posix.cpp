#include "tools/qst/console.h"

namespace tolarka::qst {

void ShowUtf8InConsole() {}

}  // namespace tolarka::qst
