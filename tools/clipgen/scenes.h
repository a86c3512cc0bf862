// Factories of the clip scenes; each returns the scene for a frame of the given size.
#pragma once

#include <memory>

#include "scene.h"

namespace clipgen {

enum class LightsKind { GameStart, BandTwo, BandThree };
enum class Band { One, Two, Three };
enum class RightKind { Low, Middle };

std::unique_ptr<Scene> MakeLightsScene(LightsKind kind, int width, int height);
std::unique_ptr<Scene> MakeFadeScene(Band band, int width, int height);
std::unique_ptr<Scene> MakeCountdownScene(int width, int height);
std::unique_ptr<Scene> MakeAudienceScene(int width, int height);
std::unique_ptr<Scene> MakePhoneScene(int width, int height);
std::unique_ptr<Scene> MakeRightAnswerScene(RightKind kind, int width, int height);
std::unique_ptr<Scene> MakeTopPrizeScene(int width, int height);
std::unique_ptr<Scene> MakeGameOverScene(int width, int height);
std::unique_ptr<Scene> MakeFastestFingerScene(int width, int height);

// The number the countdown clock shows t seconds after it starts: 30 at the start, 0 from 30 s on.
int CountdownNumber(double t);

}  // namespace clipgen
