// The entry's rule as the Win32 frontend asks it, before an insertion:
// it must judge as the rule on the finished change does.

#include "entryrules.h"

#include <gtest/gtest.h>

#include <string>

namespace entry = radixor::entry;

namespace {

std::string judged(std::optional<entry::Text> checked)
{
    if (!checked)
        return "refused";
    return std::string(checked->text.begin(), checked->text.end()) + "|" + std::to_string(checked->caret);
}

}  // namespace

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
        EXPECT_EQ(judged(entry::checkedInsertion(c.text, c.start, c.length, c.piece)),
                  judged(entry::checkedChange(c.text, c.start, after, c.start + c.piece.size())))
            << std::string(c.piece.begin(), c.piece.end());
    }
}

TEST(CheckedInsertion, RefusesASelectionOutsideTheText)
{
    EXPECT_EQ(judged(entry::checkedInsertion(u"12", 3, 0, u"4")), "refused");
    EXPECT_EQ(judged(entry::checkedInsertion(u"12", 1, 2, u"4")), "refused");
    EXPECT_EQ(judged(entry::checkedInsertion(u"12", 1, 1, u"4")), "14|2");
}

TEST(CheckedInsertion, TakesTheLimitAndRefusesOnePast)
{
    const std::u16string full(entry::maxLength - 1, u'9');
    EXPECT_EQ(entry::checkedInsertion(full, 0, 0, u" 1 ")->text.size(), entry::maxLength);
    EXPECT_EQ(judged(entry::checkedInsertion(full, 0, 0, u"12")), "refused");
    EXPECT_EQ(judged(entry::checkedInsertion(full, 0, full.size(), full + u"99")), "refused");
}
