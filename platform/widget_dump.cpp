#include "platform/widget_dump.h"

#include <sstream>

#include "platform/screen.h"

namespace tolarka::platform {

namespace {

const char* KindOf(const Widget& w) {
    if (dynamic_cast<const PictureBox*>(&w)) return "PictureBox";
    if (dynamic_cast<const Label*>(&w)) return "Label";
    if (dynamic_cast<const Image*>(&w)) return "Image";
    if (dynamic_cast<const TextBox*>(&w)) return "TextBox";
    if (dynamic_cast<const Shape*>(&w)) return "Shape";
    if (dynamic_cast<const Line*>(&w)) return "Line";
    if (dynamic_cast<const MediaView*>(&w)) return "MediaView";
    return "Widget";
}

void Dump(std::ostringstream& out, const Widget& w, int depth) {
    out << std::string(static_cast<size_t>(depth) * 2, ' ') << KindOf(w) << ' ' << w.Name() << ' ' << w.Left()
        << ',' << w.Top() << ' ' << w.Width() << 'x' << w.Height();
    if (!w.Visible()) out << " hidden";
    if (!w.Enabled()) out << " disabled";
    if (const auto* l = dynamic_cast<const Label*>(&w)) out << " \"" << l->Caption() << '"';
    if (const auto* i = dynamic_cast<const Image*>(&w); i && !i->Picture().empty())
        out << " [" << i->Picture() << ']';
    if (const auto* c = dynamic_cast<const Container*>(&w); c && !c->Picture().empty())
        out << " [" << c->Picture() << ']';
    if (const auto* t = dynamic_cast<const TextBox*>(&w)) out << " \"" << t->Text() << '"';
    if (const auto* m = dynamic_cast<const MediaView*>(&w); m && !m->File().empty())
        out << " <" << m->File() << '>';
    out << '\n';
    if (const auto* c = dynamic_cast<const Container*>(&w))
        for (const auto& child : c->Children()) Dump(out, *child, depth + 1);
}

}  // namespace

std::string DumpWidgets(const Screen& screen) {
    std::ostringstream out;
    out << "Screen " << screen.Name() << (screen.Visible() ? "" : " hidden") << '\n';
    if (screen.HasWidgets()) Dump(out, screen.Form(), 1);
    return out.str();
}

}  // namespace tolarka::platform
