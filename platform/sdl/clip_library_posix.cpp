#include <dlfcn.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <system_error>
#include <thread>

#include "platform/sdl/clip_library.h"

namespace tolarka::platform::sdl {

namespace {

// The clip module, loaded on a thread of its own: loading and relocating FFmpeg's libraries
// takes a tenth of a second of CPU, which the first frame does not wait for.
class ClipModule final : public ClipLibrary {
public:
    explicit ClipModule(std::vector<std::filesystem::path> dirs) : dirs_(std::move(dirs)) {}
    ~ClipModule() override {
        if (loader_.joinable()) loader_.join();
    }
    ClipModule(const ClipModule&) = delete;
    ClipModule& operator=(const ClipModule&) = delete;

    void Start(Uint32 wake_event_type) override {
        if (started_) return;
        started_ = true;
        const auto load = [this, wake_event_type] {
            players_ = Load();
            done_.store(true, std::memory_order_release);
            if (wake_event_type == 0) return;
            SDL_Event event{};
            event.type = wake_event_type;
            SDL_PushEvent(&event);
        };
        try {
            loader_ = std::thread(load);
        } catch (const std::system_error&) {
            load();  // no thread to be had: the screen waits this once
        }
    }

    ClipPlayerFactory* Players() override {
        return done_.load(std::memory_order_acquire) ? players_ : nullptr;
    }

private:
    ClipPlayerFactory* Load() const;

    const std::vector<std::filesystem::path> dirs_;
    bool started_ = false;
    std::thread loader_;
    ClipPlayerFactory* players_ = nullptr;  // written by the loader before done_
    std::atomic<bool> done_{false};
};

ClipPlayerFactory* ClipModule::Load() const {
    std::string why;
    std::string looked;
    for (const std::filesystem::path& dir : dirs_) {
        const std::filesystem::path file = dir / TOLARKA_CLIP_MODULE_FILE;
        looked += (looked.empty() ? "" : ", ") + dir.string();
        std::error_code ec;
        if (!std::filesystem::is_regular_file(file, ec)) continue;
        // Never unloaded: a decoder thread that was stopped while busy may run its code until
        // the process ends. (Not SDL_LoadObject: SDL's error text would stay allocated for this
        // thread, which SDL did not start, after it ends.)
        void* module = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
        const auto entry =
            module ? reinterpret_cast<ClipModuleEntry>(dlsym(module, kClipModuleEntry)) : nullptr;
        if (ClipPlayerFactory* players = entry ? entry(kClipInterfaceVersion) : nullptr) return players;
        const char* error = dlerror();
        if (why.empty())
            why = module && entry ? file.string() + " patří k jiné verzi hry" : error ? error : "?";
    }
    if (why.empty()) why = std::string("chybí ") + TOLARKA_CLIP_MODULE_FILE + " (hledáno v " + looked + ")";
    std::fprintf(stderr, "tolarka: hra poběží bez klipů: %s\n", why.c_str());
    return nullptr;
}

}  // namespace

std::shared_ptr<ClipLibrary> GameClips(std::vector<std::filesystem::path> dirs) {
    return std::make_shared<ClipModule>(std::move(dirs));
}

}  // namespace tolarka::platform::sdl
