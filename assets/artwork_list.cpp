#include "assets/artwork.h"

namespace tolarka::art {

ArtworkList AllArtwork() {
    ArtworkList all;
    AddStudioBoxes(all);
    AddLadder(all);
    AddAmounts(all);
    AddLifelines(all);
    AddGameScreenArt(all);
    AddMenuArt(all);
    AddSplashArt(all);
    AddRulesArt(all);
    AddCreditsArt(all);
    AddCursorAndIcons(all);
    return all;
}

}  // namespace tolarka::art
