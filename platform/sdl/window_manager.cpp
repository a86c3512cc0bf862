#include "platform/sdl/window_manager.h"

#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>

namespace tolarka::platform::sdl {

bool HasWindowManager(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return true;
    Display* display = info.info.x11.display;
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None) return false;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW,
                                          &type, &format, &count, &after, &data);
    const bool found = status == Success && type == XA_WINDOW && count == 1;
    if (data) XFree(data);
    return found;
}

void SkipAbsentSessionBus() {
    if (std::getenv("DBUS_SESSION_BUS_ADDRESS")) return;
    struct stat bus {};
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime && stat((std::string(runtime) + "/bus").c_str(), &bus) == 0) return;
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
}

}  // namespace tolarka::platform::sdl
