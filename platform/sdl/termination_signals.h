#pragma once
// SIGTERM (the desktop logging out) and SIGINT (Ctrl+C in a terminal) reach SDL's own handler,
// which turns them into the quit event a closed window sends; the game would answer that with
// its question. On Linux a handler goes in front of SDL's and marks the quit as one nobody is
// there to be asked about (termination_signals_posix.cpp); Windows sends no such signals to a
// windowed program (termination_signals_windows.cpp).

namespace tolarka::platform::sdl {

// Puts our handler in front of SDL's, where SDL listens; call after SDL_Init.
void ChainTerminationHandlers();
// Gives SDL its handlers back, so that SDL_Quit restores the defaults.
void UnchainTerminationHandlers();
// Whether the last quit event came from such a signal.
bool TerminationRequested();

}  // namespace tolarka::platform::sdl
