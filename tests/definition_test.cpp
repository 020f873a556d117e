#include "definition.h"
#include "entryrules.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

using namespace radixor;

TEST(Definition, TabIndexesAreDistinctAndButtonsAreTheKeypad)
{
    std::set<int> tabs;
    std::set<int> digits;
    for (const auto &c : controls) {
        EXPECT_TRUE(tabs.insert(c.tabIndex).second) << c.name;
        if (c.name == "Btn") {
            EXPECT_EQ(c.caption, std::string(1, char('0' + c.index)));
            digits.insert(c.index);
        }
    }
    EXPECT_EQ(digits.size(), 10u);
}

TEST(Definition, EachOutputBoxIsLabelledByTheLabelLevelWithIt)
{
    const ControlDef *frame = find("Frame1");
    ASSERT_NE(frame, nullptr);
    int outputs = 0;
    for (const auto &c : controls) {
        if (!(c.flags & Output))
            continue;
        ++outputs;
        const ControlDef *label = find(c.labelledBy);
        ASSERT_NE(label, nullptr) << c.name;
        EXPECT_EQ(label->kind, Kind::Label);
        EXPECT_TRUE(label->flags & InFrame);
        EXPECT_EQ(label->top + frame->top, c.top) << c.name;
    }
    EXPECT_EQ(outputs, 4);
}

TEST(EntryRules, OnlyDigitsAndBackspacePassTheFilter)
{
    int passing = 0;
    for (int code = 0; code <= 0xFFFF; ++code)
        passing += entry::keyPasses(code);
    EXPECT_EQ(passing, 11);
    EXPECT_TRUE(entry::keyPasses('0') && entry::keyPasses('9') && entry::keyPasses(8));
    EXPECT_FALSE(entry::keyPasses(22) || entry::keyPasses(127) || entry::keyPasses(' '));
}

TEST(EntryRules, InsertedPieceLosesItsBlanksOrIsRefusedWhole)
{
    const auto piece = [](std::u16string_view text) {
        const auto kept = entry::acceptedPiece(text);
        return kept ? std::optional<std::u16string>(*kept) : std::nullopt;
    };
    EXPECT_EQ(piece(u"255"), u"255");
    EXPECT_EQ(piece(u" \t255\r\n"), u"255");
    EXPECT_EQ(piece(u"\u00A0" u"42\u3000"), u"42");
    for (const std::u16string_view refused : {u"", u"   ", u"2 5", u"-1", u"1e3", u"0x1F", u"\u0661\u0662", u"\uFF11"})
        EXPECT_EQ(piece(refused), std::nullopt) << std::string(refused.begin(), refused.end());
}
