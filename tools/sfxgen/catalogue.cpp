#include "tools/sfxgen/catalogue.h"

namespace tolarka::sfxgen {

const std::vector<SoundRecipe>& Catalogue() {
    static const std::vector<SoundRecipe> kSounds = {
        {"menu.wav", true, MakeMenu},       {"bgm1.wav", true, MakeBgm1},
        {"bgm2.wav", true, MakeBgm2},       {"bgm3.wav", true, MakeBgm3},
        {"bgm4.wav", true, MakeBgm4},       {"50-50.wav", false, MakeFiftyFifty},
        {"sel.wav", false, MakeSel},        {"zb.wav", false, MakeZb},
        {"w1.wav", false, MakeW1},          {"tel.wav", false, MakeTel},
        {"tel-end.wav", false, MakeTelEnd}, {"r1.wav", false, MakeR1},
        {"r2.wav", false, MakeR2},          {"w23.wav", false, MakeW23},
        {"r3.wav", false, MakeR3},          {"r4.wav", false, MakeR4},
        {"w4.wav", false, MakeW4},          {"klakson.wav", false, MakeKlakson},
        {"aud.wav", false, MakeAud},        {"ex.wav", false, MakeEx},
        {"lights.wav", false, MakeLights},  {"lights2.wav", false, MakeLights2},
    };
    return kSounds;
}

}  // namespace tolarka::sfxgen
