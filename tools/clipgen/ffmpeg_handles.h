// The clip generator's names for the shared FFmpeg handle owners.
#pragma once

#include "platform/sdl/video_av_handles.h"

namespace clipgen {

using CodecContextPtr = tolarka::platform::sdl::AvCodecContextPtr;
using FramePtr = tolarka::platform::sdl::AvFramePtr;
using PacketPtr = tolarka::platform::sdl::AvPacketPtr;
using SwsPtr = tolarka::platform::sdl::SwsPtr;
using OutputFormatPtr = tolarka::platform::sdl::AvOutputPtr;

}  // namespace clipgen
