#include "definition.h"
#include "entryrules.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

using namespace radixor;
using radixor::entry::checkedChange;

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

namespace {

// The entry's rule's answer as "text|caret", or "refused".
std::string shown(const std::optional<radixor::entry::Text> &checked)
{
    if (!checked)
        return "refused";
    return std::string(checked->text.begin(), checked->text.end()) + "|" + std::to_string(checked->caret);
}

// before, with the selection starting at start, becomes after with the
// caret at caret.
std::string judged(std::u16string before, std::size_t start, std::u16string after, std::size_t caret)
{
    return shown(checkedChange(before, start, after, caret));
}

}  // namespace

TEST(CheckedChange, DigitsOnlyStandAsTheyAre)
{
    EXPECT_EQ(judged(u"12", 2, u"123", 3), "123|3");
    EXPECT_EQ(judged(u"123", 3, u"12", 2), "12|2");  // backspace
    EXPECT_EQ(judged(u"0", 0, u"", 0), "|0");        // Clear
}

TEST(CheckedChange, PastedPieceLosesItsBlanksWhereverItWentIn)
{
    EXPECT_EQ(judged(u"15", 1, u"1 42\t5", 5), "1425|3");     // at the caret
    EXPECT_EQ(judged(u"999", 0, u" 7 ", 3), "7|1");           // over the whole selection
    EXPECT_EQ(judged(u"55", 1, u"5 55", 3), "555|2");         // the piece's digit repeats those around it
    EXPECT_EQ(judged(u"1", 0, u"1 1", 2), "11|1");            // before the old text
}

TEST(CheckedChange, AnythingElseIsRefusedWhole)
{
    EXPECT_EQ(judged(u"12", 0, u"1 2", 3), "refused");   // a blank inside the piece
    EXPECT_EQ(judged(u"11", 0, u"1 2", 3), "refused");   // even where a prefix of it matches the old text
    EXPECT_EQ(judged(u"7", 1, u"7-1", 3), "refused");
    EXPECT_EQ(judged(u"7", 1, u"7  ", 3), "refused");    // blanks alone
    EXPECT_EQ(judged(u"7", 0, u"x", 1), "refused");      // a letter in place of the whole text
}

TEST(CheckedChange, NothingMakesTheEntryLongerThanItsLimit)
{
    const std::u16string full(radixor::entry::maxLength, u'9');
    EXPECT_EQ(judged(full, full.size(), full + u"1", full.size() + 1), "refused");
    EXPECT_EQ(judged(full.substr(1), 0, u" 1 " + full.substr(1), 3), std::string(full.size(), '9').replace(0, 1, "1") + "|1");
    EXPECT_EQ(judged(full.substr(1), 0, u" 12 " + full.substr(1), 4), "refused");
}

// The rule asked before an insertion, as a frontend that sees the piece
// first asks it, judges as the rule on the finished change does.
TEST(CheckedInsertion, JudgesAsTheFinishedChangeDoes)
{
    struct Case {
        std::u16string text;
        std::size_t start, length;
        std::u16string piece;
    };
    for (const Case &c : {Case{u"15", 1, 0, u" 42\t"}, Case{u"999", 0, 3, u" 7 "}, Case{u"55", 1, 0, u"5"},
                          Case{u"7", 1, 0, u"42\n43"}, Case{u"7", 0, 1, u"x"}, Case{u"7", 1, 0, u"  "},
                          Case{u"123", 1, 1, u""}, Case{u"12", 0, 0, u"-1"}}) {
        std::u16string after = c.text;
        after.replace(c.start, c.length, c.piece);
        EXPECT_EQ(shown(radixor::entry::checkedInsertion(c.text, c.start, c.length, c.piece)),
                  shown(radixor::entry::checkedChange(c.text, c.start, after, c.start + c.piece.size())))
            << std::string(c.piece.begin(), c.piece.end());
    }
}

TEST(CheckedInsertion, RefusesASelectionOutsideTheText)
{
    EXPECT_EQ(shown(radixor::entry::checkedInsertion(u"12", 3, 0, u"4")), "refused");
    EXPECT_EQ(shown(radixor::entry::checkedInsertion(u"12", 1, 2, u"4")), "refused");
    EXPECT_EQ(shown(radixor::entry::checkedInsertion(u"12", 1, 1, u"4")), "14|2");
}

TEST(CheckedInsertion, TakesTheLimitAndRefusesOnePast)
{
    const std::u16string full(radixor::entry::maxLength - 1, u'9');
    EXPECT_EQ(radixor::entry::checkedInsertion(full, 0, 0, u" 1 ")->text.size(), radixor::entry::maxLength);
    EXPECT_EQ(shown(radixor::entry::checkedInsertion(full, 0, 0, u"12")), "refused");
    EXPECT_EQ(shown(radixor::entry::checkedInsertion(full, 0, full.size(), full + u"99")), "refused");
}
