#pragma once
#include <memory>
#include <string>

#include "platform/geometry.h"

namespace tolarka::platform {

// One media channel: plays one WAV or AVI file at a time, in the background. A missing or
// broken file plays nothing and reports nothing. For clips the renderer shows the current
// frame at the channel's place (see MediaView in widgets.h).
class MediaPlayback {
public:
    virtual ~MediaPlayback() = default;
    // Chooses the file to play (full path); does not start playback.
    virtual void SetFile(const std::string& path) = 0;
    // Starts the file set last from its beginning; returns at once.
    virtual void Play() = 0;
    // Stops at once; stopping an idle channel does nothing.
    virtual void Stop() = 0;
    // 1.0 = normal speed, 0.8 = slower. Applies to clips; sounds may ignore it.
    virtual void SetRate(double rate) = 0;
    // true: at the end the file rewinds and plays again, until stopped or given another file.
    virtual void SetRepeat(bool forever) = 0;
    // Pixel size of the clip set last; {0, 0} for a sound, a missing file or before SetFile.
    virtual Size VideoSize() const = 0;
};

// Creates channels and plays the one-shot system sound.
class MediaSystem {
public:
    virtual ~MediaSystem() = default;
    // name: the channel's name on its screen ("WMP1", "WMPanim"...), used in logs.
    virtual std::unique_ptr<MediaPlayback> CreateChannel(const std::string& name) = 0;
    // Plays a WAV file asynchronously, outside every channel.
    virtual void PlaySystemSound(const std::string& path) = 0;
};

}  // namespace tolarka::platform
