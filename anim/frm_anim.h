#pragma once
#include <array>
#include <string>

#include "platform/screen.h"
#include "platform/timer.h"

namespace tolarka {

class App;

// The animation screen: plays a numbered clip with its sound for a fixed time, with the pointer
// hidden, then hands control back to the screen that asked for it and closes.
class frmAnim : public platform::Screen {
public:
    explicit frmAnim(App& app);

    // Sets the clip (and, for clip 9, the mode tag "M" or "L") and shows the screen without
    // waiting for it.
    void PlayAnimation(int clip, const std::string& mode);

    int AnimClip = 0;

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

    App& app_;
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
