// The recurring pieces of the studio: back wall, round stage floor, lamp ring, audience, confetti.
#pragma once

#include <cairo.h>

#include <cstdint>

#include "paint.h"

namespace clipgen {

struct Box {
    double x = 0, y = 0, w = 0, h = 0;
};

// Night sky gradient, violet haze behind the stage and the dim LED columns of the back wall.
void PaintBackdrop(cairo_t* cr, double width, double height, const Rgb& accent, double haze);

// The round stage seen in perspective: dark glossy floor, engraved rings, glowing rim.
void PaintStageFloor(cairo_t* cr, double cx, double cy, double rx, double ry, const Rgb& accent, double glow);

// Fifteen lamps on a 300-degree arc, one per prize level; `lit` may be fractional (the last lamp
// fading in). `flare` adds light to every lit lamp.
void PaintLampRing(cairo_t* cr, double cx, double cy, double radius, double lit, const Rgb& colour,
                   double flare);

// The disc inside the lamp ring, with engraved circles and a soft highlight.
void PaintCentreDisc(cairo_t* cr, double cx, double cy, double radius, const Rgb& accent, double glow);

// Rows of heads and shoulders in silhouette, lit from behind by `rim`.
void PaintAudience(cairo_t* cr, double width, double top, int rows, const Rgb& rim, double rimAlpha,
                   std::uint32_t salt);

// Paper confetti falling through `area` at time t; deterministic for a given salt.
void PaintConfetti(cairo_t* cr, const Box& area, double t, int count, std::uint32_t salt);

// One firework burst `age` seconds after it went off.
void PaintFirework(cairo_t* cr, double x, double y, double age, double radius, const Rgb& colour,
                   std::uint32_t salt);

// Twinkling sparkles scattered over `area`.
void PaintSparkles(cairo_t* cr, const Box& area, double t, int count, const Rgb& colour, double alpha,
                   std::uint32_t salt);

}  // namespace clipgen
