#pragma once
// Where the test program was built from and into. Kept out of the other test sources, so that
// their objects do not depend on the folder a build happens in.
#include <filesystem>

namespace tolarka::testing {

// The build folder: the generated sounds, clips and question files beside the game.
std::filesystem::path AppDir();
// The game's clip module in the build (empty where the game links its clip code).
std::filesystem::path ClipModuleFile();
// The source tree: the shipped question sources and the files the tests compare against.
std::filesystem::path SourceDir();

}  // namespace tolarka::testing
