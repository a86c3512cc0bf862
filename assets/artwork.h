#pragma once
// Every picture the game carries: its stored name, its size and the code that draws it.
#include <functional>
#include <string>
#include <vector>

#include "assets/painter.h"

namespace tolarka::art {

struct Artwork {
    std::string name;  // upper case, as the catalogue stores it
    int width = 0;
    int height = 0;
    // Transparent round its shapes, so it blends onto whatever lies beneath; otherwise opaque,
    // painted on black, for pictures that must cover what is behind them.
    bool alpha = true;
    std::function<void(const Painter&)> draw;
};

using ArtworkList = std::vector<Artwork>;

void AddStudioBoxes(ArtworkList& out);     // answer boxes, question frame, slot bars
void AddLadder(ArtworkList& out);          // prize ladder S00 … S15
void AddAmounts(ArtworkList& out);         // amount strips C00 … C15
void AddLifelines(ArtworkList& out);       // lifeline icons and their used variants
void AddGameScreenArt(ArtworkList& out);   // audience graph backdrop, in-game menu buttons
void AddMenuArt(ArtworkList& out);         // main menu background
void AddSplashArt(ArtworkList& out);       // page-2 pictures of the splash
void AddRulesArt(ArtworkList& out);        // key caps and the round title logo
void AddCreditsArt(ArtworkList& out);      // credits pictures
void AddCursorAndIcons(ArtworkList& out);  // pointer and program icons

// All of the above, in a stable order.
ArtworkList AllArtwork();

}  // namespace tolarka::art
