#include "saves/frm_save.h"

#include "platform/runtime.h"
#include "saves/save_slots.h"

namespace tolarka {

using namespace platform;

namespace {
constexpr Colour kNavy = 0x000080;
constexpr Colour kAnswerRest = 0xE0E0E0;
constexpr Colour kAnswerPointed = 0xFFFFFF;
const Font kAnswerFont{"MS Sans Serif", 12, false};
}  // namespace

frmSave::frmSave(Runtime& runtime, Links links) : Screen(runtime, "frmSave"), links_(std::move(links)) {}

void frmSave::Design() {
    Container& f = Form();
    f.SetBackColour(0x000000);

    // Back to front: the title, the rows, the overwrite question in front of rows 3 and 4.
    auto& title = f.Add<Label>("Label2");
    title.Move(120, 150, 9375, 390);
    title.SetFont(Font{"Arial", 15.75, true});
    title.SetForeColour(0xFFFFFF);
    title.SetBackColour(kNavy);
    title.SetAlignment(Alignment::Center);
    title.SetCaption("Vyberte pozici pro uložení rozehrané hry.");

    rows_.Design(
        f, "picSave", "lblSave1", "lblSave2", [this](int i) { picSave_MouseMove(i); },
        [this](int i) { picSave_Click(i); });

    picBlock_ = &f.Add<PictureBox>("picBlock");
    picBlock_->Move(1373, 2820, 6855, 1455);
    picBlock_->SetBackColour(kNavy);
    picBlock_->onMouseMove = [this](int, int) { picBlock_MouseMove(); };
    auto& question = picBlock_->Add<Label>("Label1");
    question.Move(240, 270, 6360, 495);
    question.SetFont(Font{"Arial", 14.25, false});
    question.SetForeColour(0xFFFFFF);
    question.SetTransparent(true);
    question.SetAlignment(Alignment::Center);
    question.SetCaption("Zvolená pozice je obsazena.  Chcete ji přepsat?");
    lblANO_ = &picBlock_->Add<Label>("lblANO");
    lblANO_->Move(2385, 870, 735, 375);
    lblANO_->SetCaption("ANO");
    lblANO_->onMouseMove = [this](int, int) { lblANO_MouseMove(); };
    lblANO_->onClick = [this] { lblANO_Click(); };
    lblNE_ = &picBlock_->Add<Label>("lblNE");
    lblNE_->Move(3660, 870, 495, 375);
    lblNE_->SetCaption("NE");
    lblNE_->onMouseMove = [this](int, int) { lblNE_MouseMove(); };
    lblNE_->onClick = [this] { lblNE_Click(); };
    for (Label* answer : {lblANO_, lblNE_}) {
        answer->SetFont(kAnswerFont);
        answer->SetAlignment(Alignment::Center);
        answer->SetTransparent(true);
        answer->SetForeColour(kAnswerRest);
    }
    picBlock_->Hide();
}

void frmSave::OnLoad() {
    ListSlots();
    SetSlotsEnabled(true);
    picBlock_->Hide();
    Busy_ = false;
    SlotIndex_ = -1;
    rows_.ShowAllAtRest();
    SetAnswerLook(*lblANO_, false);
    SetAnswerLook(*lblNE_, false);
}

void frmSave::ListSlots() { rows_.List(links_.saves); }

void frmSave::HighlightSlot() {
    if (!Busy_ && SlotIndex_ >= 0) rows_.SetPicture(SlotIndex_, "FF-O");
}

void frmSave::SetSlotsEnabled(bool enabled) {
    for (auto* bar : rows_.row) bar->SetEnabled(enabled);
}

void frmSave::SetAnswerLook(Label& label, bool pointed) {
    label.SetForeColour(pointed ? kAnswerPointed : kAnswerRest);
    label.SetBold(pointed);
}

void frmSave::picSave_MouseMove(int index) {
    if (index == SlotIndex_ || Busy_) return;
    if (SlotIndex_ >= 0) rows_.SetPicture(SlotIndex_, "FF-M");
    SlotIndex_ = index;
    HighlightSlot();
}

void frmSave::picSave_Click(int index) {
    if (Busy_) return;
    SlotIndex_ = index;
    if (rows_.IsEmpty(index)) {
        WriteSave();
        return;
    }
    SetSlotsEnabled(false);
    lblANO_->SetForeColour(kAnswerRest);
    lblNE_->SetForeColour(kAnswerRest);
    picBlock_->Show();
}

void frmSave::lblANO_MouseMove() {
    SetAnswerLook(*lblNE_, false);
    SetAnswerLook(*lblANO_, true);
}

void frmSave::lblNE_MouseMove() {
    SetAnswerLook(*lblANO_, false);
    SetAnswerLook(*lblNE_, true);
}

void frmSave::picBlock_MouseMove() {
    SetAnswerLook(*lblANO_, false);
    SetAnswerLook(*lblNE_, false);
}

void frmSave::lblANO_Click() {
    SetSlotsEnabled(true);
    picBlock_->Hide();
    WriteSave();
}

void frmSave::lblNE_Click() {
    SetSlotsEnabled(true);
    picBlock_->Hide();
}

bool frmSave::OnKeyDown(int key) {
    // While the save is written and the row flashes, the game is already decided: keys are
    // ignored so that Escape cannot load a question into a game that is being closed.
    if (Busy_) return true;
    if (key == keys::kEscape) {
        Close();
        links_.resumeGame();
        return true;
    }
    if (key == 'A' && picBlock_->Visible()) lblANO_Click();
    if (key == 'N' && picBlock_->Visible()) lblNE_Click();
    return false;
}

void frmSave::Flash(int row, const char* picture, int pauseMs) {
    rows_.SetPicture(row, picture);
    Rt().DoEvents();
    Rt().Pause(pauseMs);
}

void frmSave::WriteSave() {
    Busy_ = true;
    const LocalDateTime now = LocalNow();
    const GameState& game = links_.game();
    SaveRecord_.PlayerName = links_.playerName();
    SaveRecord_.ResumeLevel = static_cast<int16_t>(game.Level + 1);
    SaveRecord_.SaveTime = FormatSaveTime(now);
    SaveRecord_.SaveDate = FormatSaveDate(now);
    SaveRecord_.FiftyFiftyAvailable = game.FiftyFiftyAvailable;
    SaveRecord_.AudienceAvailable = game.AudienceAvailable;
    SaveRecord_.PhoneAvailable = game.PhoneAvailable;
    const int slot = SlotIndex_ + 1;
    if (!WriteSlot(links_.saves.writable, slot, SaveRecord_)) {
        links_.printWarning("hru nelze uložit do " + SlotPath(links_.saves.writable, slot).string());
        // The game is still on: the player may try another slot or go on playing.
        Rt().MessageBox("Hru se nepodařilo uložit do pozice " + std::to_string(slot) +
                            ".\r\nZkuste jinou pozici, nebo klávesou Esc pokračujte ve hře.",
                        MessageButtons::Ok, MessageIcon::Exclamation, "Tolarka");
        Busy_ = false;
        ListSlots();
        return;
    }

    Rt().DoEvents();
    ListSlots();
    Rt().DoEvents();

    Flash(SlotIndex_, "FF-Z", 500);
    Flash(SlotIndex_, "FF-O", 500);
    Flash(SlotIndex_, "FF-Z", 2000);

    links_.endGameForMenu();
    Close();
}

}  // namespace tolarka
