#pragma once
#include <functional>

namespace tolarka {

// A source of uniform numbers in [0, 1). Each operation that draws (question selection, 50:50,
// audience votes, phone preparation) asks for a fresh source through MakeClockSeededSource, so
// the real one is reseeded from the clock at the start of every such operation; tests pass a
// scripted one instead.
using UniformSource = std::function<double()>;

// A generator seeded from the high-resolution clock now.
UniformSource MakeClockSeededSource();

// "Draw from n": the integer part of u * n, plus 1 (1..n for u in [0, 1)).
int DrawFrom(double u, int n);

}  // namespace tolarka
