#include "tools/sfxgen/catalogue.h"

namespace tolarka::sfxgen {

const std::vector<SoundRecipe>& Catalogue() {
    // Beds: the music and whatever stands in for it while the player waits (the pick, the
    // call, the audience). Stings: what happens over a bed. Short cues: a few seconds each.
    static const std::vector<SoundRecipe> kSounds = {
        {"menu.wav", true, Role::Bed, MakeMenu},
        {"bgm1.wav", true, Role::Bed, MakeBgm1},
        {"bgm2.wav", true, Role::Bed, MakeBgm2},
        {"bgm3.wav", true, Role::Bed, MakeBgm3},
        {"bgm4.wav", true, Role::Bed, MakeBgm4},
        {"50-50.wav", false, Role::ShortCue, MakeFiftyFifty},
        {"sel.wav", false, Role::Bed, MakeSel},
        {"zb.wav", false, Role::Sting, MakeZb},
        {"w1.wav", false, Role::Sting, MakeW1},
        {"tel.wav", false, Role::Bed, MakeTel},
        {"tel-end.wav", false, Role::ShortCue, MakeTelEnd},
        {"r1.wav", false, Role::Sting, MakeR1},
        {"r2.wav", false, Role::Sting, MakeR2},
        {"w23.wav", false, Role::Sting, MakeW23},
        {"r3.wav", false, Role::Sting, MakeR3},
        {"r4.wav", false, Role::Sting, MakeR4},
        {"w4.wav", false, Role::Sting, MakeW4},
        {"klakson.wav", false, Role::ShortCue, MakeKlakson},
        {"aud.wav", false, Role::Bed, MakeAud},
        {"ex.wav", false, Role::Sting, MakeEx},
        {"lights.wav", false, Role::Sting, MakeLights},
        {"lights2.wav", false, Role::Sting, MakeLights2},
    };
    return kSounds;
}

Samples Render(const SoundRecipe& sound) {
    Samples s = sound.make();
    LevelForRole(s, sound.role, sound.loop);
    return s;
}

}  // namespace tolarka::sfxgen
