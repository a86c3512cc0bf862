#pragma once
// The game's pictures as the toolkit fetches them: the built-in PNG files of the catalogue, and
// their drawing code (assets/) for any other scale. The program hands them to the toolkit at
// start-up: platform::UsePictures(&media::GamePictures()).
#include "platform/pictures.h"

namespace tolarka::media {

// One for the whole program; the drawing code and its fonts are loaded on the first redraw.
const platform::PictureSource& GamePictures();

}  // namespace tolarka::media
