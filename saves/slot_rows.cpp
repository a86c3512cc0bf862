#include "saves/slot_rows.h"

#include "saves/slot_summary.h"

namespace tolarka {

using namespace platform;

namespace {
const Font kRowFont{"MS Sans Serif", 12, false};
}

void SlotRows::Design(Container& form, const std::string& rowName, const std::string& leftName,
                      const std::string& rightName, std::function<void(int)> onMove,
                      std::function<void(int)> onClick) {
    for (size_t i = 0; i < kSlotCount; ++i) {
        const int index = static_cast<int>(i);
        const std::string n = "(" + std::to_string(i) + ")";
        PictureBox& bar = form.Add<PictureBox>(rowName + n);
        bar.Move(0, 735 + 720 * index, 9600, 615);
        bar.SetPicture("FF-M");
        Label& l = bar.Add<Label>(leftName + n);
        l.Move(690, 120, 4800, 360);
        Label& r = bar.Add<Label>(rightName + n);
        r.Move(5565, 120, 3375, 360);
        r.SetAlignment(Alignment::Right);
        for (Label* label : {&l, &r}) {
            label->SetFont(kRowFont);
            label->SetForeColour(0xFFFFFF);
            label->SetTransparent(true);
        }
        for (Widget* w : {static_cast<Widget*>(&bar), static_cast<Widget*>(&l), static_cast<Widget*>(&r)}) {
            w->onMouseMove = [onMove, index](int, int) { onMove(index); };
            w->onClick = [onClick, index] { onClick(index); };
        }
        row[i] = &bar;
        left[i] = &l;
        right[i] = &r;
    }
}

int SlotRows::List(const SaveFolders& folders) {
    int filled = 0;
    for (size_t i = 0; i < kSlotCount; ++i) {
        const int slot = static_cast<int>(i) + 1;
        const std::filesystem::path& appDir = folders.Holding(slot);
        record[i].reset();
        unreadable[i] = false;
        if (SlotFilled(appDir, slot)) {
            // A file that exists but cannot be opened lists like an empty record.
            auto read = ReadSlot(appDir, slot);
            unreadable[i] = !read;
            record[i] = read.value_or(DecodeSaveRecord({}));
            const SlotSummary summary = MakeSlotSummary(*record[i]);
            left[i]->SetCaption(summary.Left);
            right[i]->SetCaption(summary.Right);
            ++filled;
        } else {
            left[i]->SetCaption("");
            right[i]->SetCaption("");
        }
    }
    return filled;
}

void SlotRows::ShowAllAtRest() {
    for (auto* bar : row) bar->SetPicture("FF-M");
}

}  // namespace tolarka
