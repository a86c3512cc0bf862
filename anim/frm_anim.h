#pragma once
#include <array>
#include <functional>
#include <string>

#include "anim/clip.h"
#include "platform/screen.h"
#include "platform/timer.h"

namespace tolarka {

// The animation screen: plays a clip with its sound for a fixed time, with the pointer hidden,
// then closes and calls what it was given.
class frmAnim : public platform::Screen {
public:
    // `dataPath`: the folder the clips' file names are relative to.
    frmAnim(platform::Runtime& runtime, std::string dataPath);

    // Shows the screen with `clip` without waiting for it; `then` runs when the clip ends.
    void Play(const Clip& clip, std::function<void()> then);

    // The clip last asked for.
    const Clip& Playing() const { return clip_; }

    platform::Timer& Timer1;
    platform::Timer& Timer2;
    platform::Timer& Timer3;

    platform::PictureBox& picNDivGraf() { return *picNDivGraf_; }
    platform::Label& lblNDiv(int i) { return *lblNDiv_.at(static_cast<size_t>(i)); }
    platform::Shape& colNDiv(int i) { return *colNDiv_.at(static_cast<size_t>(i)); }
    platform::PictureBox& pic() { return *pic_; }
    platform::MediaView& WMPanim() { return *WMPanim_; }
    platform::MediaView& WMPanim2() { return *WMPanim2_; }

private:
    void Design() override;
    void OnLoad() override;
    void OnActivate() override;
    void SetUpClip();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    std::string Path(const std::string& relative) const;

    std::string dataPath_;
    Clip clip_;
    std::function<void()> then_;
    platform::PictureBox* Picture1_ = nullptr;
    platform::PictureBox* picNDivGraf_ = nullptr;
    std::array<platform::Shape*, 4> colNDiv_{};
    std::array<platform::Label*, 4> lblNDiv_{};
    platform::PictureBox* pic_ = nullptr;
    platform::PictureBox* picAnim_ = nullptr;
    platform::MediaView* WMPanim_ = nullptr;
    platform::MediaView* WMPanim2_ = nullptr;
    platform::MediaView* WMPanimSND_ = nullptr;
};

}  // namespace tolarka
