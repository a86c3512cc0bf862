#include "render_clip.h"

#include "avi_writer.h"
#include "canvas.h"

namespace clipgen {

int RenderClip(const ClipFormat& clip, const std::filesystem::path& directory) {
    Canvas canvas(clip.width, clip.height);
    std::unique_ptr<Scene> scene = clip.makeScene(clip.width, clip.height);
    AviWriter writer(directory / clip.file,
                     VideoFormat{clip.width, clip.height, clip.fps, clip.kilobitsPerSecond});
    const int frames = FrameCount(clip);
    for (int i = 0; i < frames; ++i) {
        scene->Paint(canvas.Context(), static_cast<double>(i) / clip.fps);
        writer.WriteFrame(canvas.Pixels(), canvas.Stride());
    }
    writer.Finish();
    return writer.FramesWritten();
}

void RenderStill(const ClipFormat& clip, double t, const std::string& pngPath) {
    Canvas canvas(clip.width, clip.height);
    std::unique_ptr<Scene> scene = clip.makeScene(clip.width, clip.height);
    scene->Paint(canvas.Context(), t);
    canvas.WritePng(pngPath);
}

}  // namespace clipgen
