// Any bytes as a clip: opening and decoding end, quietly, within a bounded amount of work.
extern "C" {
#include <libavutil/log.h>
}

#include "fuzz/fuzz_check.h"
#include "platform/sdl/video_decoder.h"

using tolarka::platform::sdl::VideoDecoder;

FUZZ_TARGET(bytes) {
    [[maybe_unused]] static const bool quiet = (av_log_set_level(AV_LOG_QUIET), true);
    auto decoder = VideoDecoder::OpenBytes(bytes);
    if (!decoder) return;
    const auto frameSize = decoder->FrameSize();
    FUZZ_CHECK(frameSize.width > 0 && frameSize.height > 0 && frameSize.width <= 4096 &&
               frameSize.height <= 4096);
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 16; ++i) {
            const auto frame = decoder->Next(64);
            if (!frame) break;
            FUZZ_CHECK(frame->frame && frame->frame->data[0]);
        }
        if (!decoder->Rewind()) break;
    }
}
