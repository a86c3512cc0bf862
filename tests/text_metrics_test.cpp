#include "platform/text_metrics.h"

#include <gtest/gtest.h>

#include "tests/support/system.h"

using tolarka::platform::Font;
using tolarka::platform::TextMetrics;

TEST(TextMetrics, CzechGlyphsHaveWidthAndBoldIsWider) {
    TextMetrics m;
    Font regular{"MS Sans Serif", 13.5, false};
    Font bold{"MS Sans Serif", 13.5, true};
    for (const char* letter : {"ě", "š", "č", "ř", "ž", "ý", "á", "í", "é", "ů", "ú", "ť", "ď", "ň",
                               "Ě", "Š", "Č", "Ř", "Ž", "Ý", "Á", "Í", "É", "Ů", "Ú", "Ť", "Ď", "Ň"})
        EXPECT_GT(m.Width(regular, letter), 3) << letter;
    EXPECT_GT(m.Width(bold, "Příliš žluťoučký kůň"), m.Width(regular, "Příliš žluťoučký kůň"));
    EXPECT_EQ(m.Width(regular, ""), 0);
}

TEST(TextMetrics, WrapBreaksAtSpacesAndKeepsEveryLineWithinWidth) {
    TextMetrics m;
    Font f{"MS Sans Serif", 13.5, false};
    const std::string text = "Které české město leží na soutoku Labe a Vltavy a je známé vinařstvím?";
    auto lines = m.Wrap(f, text, 300);
    ASSERT_GE(lines.size(), 2u);
    std::string joined;
    for (const auto& l : lines) {
        EXPECT_LE(m.Width(f, l), 300) << l;
        EXPECT_FALSE(l.empty());
        EXPECT_NE(l.front(), ' ');
        joined += (joined.empty() ? "" : " ") + l;
    }
    EXPECT_EQ(joined, text);
    // A word longer than the line is cut between characters rather than overflowing.
    auto cut = m.Wrap(f, "Nejneobhospodařovávatelnějšími", 80);
    ASSERT_GE(cut.size(), 2u);
    for (const auto& l : cut) EXPECT_LE(m.Width(f, l), 80);
    // Explicit line breaks always break.
    EXPECT_EQ(m.Wrap(f, "a\r\nb", 500).size(), 2u);
}

// A window dragged through every size asks for a font at each scale: only the latest scale's
// stay open, and a scale too small for any glyph still gets a font instead of an error.
TEST(TextMetrics, FontsOfFormerScalesAreClosedAndTinyScalesStillGetOne) {
    TOLARKA_SKIP_WITHOUT(Feature::DescriptorCount);
    using tolarka::testing::OpenDescriptorCount;
    TextMetrics m;
    const Font regular{"MS Sans Serif", 13.5, false};
    const Font bold{"Verdana", 8.25, true};
    ASSERT_NE(m.Handle(regular), nullptr);
    ASSERT_NE(m.Handle(bold), nullptr);
    const int before = OpenDescriptorCount();
    for (int i = 0; i < 1000; ++i) {
        const double scale = 0.5 + i * 0.004;
        ASSERT_NE(m.Handle(regular, scale), nullptr) << scale;
        ASSERT_NE(m.Handle(bold, scale), nullptr) << scale;
    }
    EXPECT_LE(OpenDescriptorCount(), before + 2);
    for (const double scale : {1.0 / 640, 0.001, 0.0}) EXPECT_NE(m.Handle(regular, scale), nullptr) << scale;
}
