#pragma once
// The 22 sounds of the game: file name, whether the game repeats it, and how to make it.
#include <string_view>
#include <vector>

#include "tools/sfxgen/dsp.h"
#include "tools/sfxgen/loudness.h"

namespace tolarka::sfxgen {

struct SoundRecipe {
    std::string_view fileName;
    bool loop;  // repeated endlessly by its channel: must join end to start without a seam
    Role role;  // how loud it is
    Samples (*make)();
};

const std::vector<SoundRecipe>& Catalogue();

// The sound, made and brought to its role's level.
Samples Render(const SoundRecipe& sound);

// Recipes, grouped by the part of the game they belong to.
Samples MakeMenu();
Samples MakeBgm1();
Samples MakeBgm2();
Samples MakeBgm3();
Samples MakeBgm4();

Samples MakeSel();
Samples MakeR1();
Samples MakeR2();
Samples MakeR3();
Samples MakeR4();
Samples MakeZb();
Samples MakeW1();
Samples MakeW23();
Samples MakeW4();

Samples MakeFiftyFifty();
Samples MakeTel();
Samples MakeTelEnd();
Samples MakeAud();

Samples MakeKlakson();
Samples MakeEx();
Samples MakeLights();
Samples MakeLights2();

}  // namespace tolarka::sfxgen
