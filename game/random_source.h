#pragma once
#include <functional>

namespace tolarka {

// A source of uniform numbers in [0, 1). A game makes one when it starts and takes every draw
// from it (question selection, 50:50, audience votes, phone preparation); tests pass a
// scripted one instead.
using UniformSource = std::function<double()>;

// A generator seeded once from the high-resolution clock.
UniformSource MakeClockSeededSource();

// "Draw from n": the integer part of u * n, plus 1 (1..n for u in [0, 1)).
int DrawFrom(double u, int n);

}  // namespace tolarka
