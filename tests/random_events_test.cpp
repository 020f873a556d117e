#include "radixortest.h"

#include <QClipboard>
#include <QSignalSpy>

#include <array>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <random>
#include <string_view>

using namespace radixortest;

namespace {

// Binary, hexadecimal and octal of a digit string, worked out on integers
// rather than through the window's own arithmetic.
QStringList expectedForms(const QString &digits)
{
    const QStringList tooBig(3, QStringLiteral("Too big"));
    qsizetype first = 0;
    while (first < digits.size() && digits[first] == u'0')
        ++first;
    if (digits.size() - first > 10)
        return tooBig;
    std::uint64_t value = 0;
    for (qsizetype i = first; i < digits.size(); ++i)
        value = value * 10 + std::uint64_t(digits[i].unicode() - u'0');
    if (value >= (std::uint64_t(1) << 31))
        return tooBig;
    QStringList forms;
    for (const int base : {2, 16, 8}) {
        std::array<char, 40> buffer{};
        const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::uint32_t(value), base).ptr;
        for (char *c = buffer.data(); c != end; ++c)
            *c = char(std::toupper(static_cast<unsigned char>(*c)));
        forms << QString::fromLatin1(buffer.data(), end - buffer.data());
    }
    return forms;
}

bool asciiDigits(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The entry box's text with its selection (or nothing, at the caret)
// replaced by piece: what typing or pasting into it should leave.
QString replaced(const QLineEdit *entry, const QString &piece)
{
    const QString text = entry->text();
    const int start = entry->hasSelectedText() ? entry->selectionStart() : entry->cursorPosition();
    const int length = entry->hasSelectedText() ? int(entry->selectedText().size()) : 0;
    return text.left(start) + piece + text.mid(start + length);
}

class Dice
{
public:
    explicit Dice(unsigned seed) : engine(seed) {}
    int upTo(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine); }
    template <typename T, std::size_t N>
    const T &pick(const T (&choices)[N]) { return choices[upTo(int(N))]; }

private:
    std::mt19937 engine;
};

const char16_t *const foreignCharacters[] = {
    u"\u0663", u"\u0669", u"\u06F5", u"\u0966", u"\uFF10", u"\uFF19", u"\u00B2", u"\u2167",
    u"\u00E9", u"\u00DF", u"\u4E03", u"\u00A0", u"\u3000", u"\U0001D7D8", u"\U0001F600",
};
constexpr std::string_view asciiOthers = " -+.,;:/*#'\"!?_=()[]eExXaZ";
const char16_t *const clipPieces[] = {
    u"0", u"1", u"42", u"907", u"2147483648", u" ", u"  ", u"\t", u"\n", u"\u3000",
    u"-", u".", u"e", u"x", u"abc", u"\u0663", u"\uFF15", u"\u00A0", u"",
};
const Qt::Key moves[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End};

}  // namespace

class RandomEventsTest : public QObject
{
    Q_OBJECT

private slots:
    void entryHoldsDigitsAndOutputsMatch();
};

void RandomEventsTest::entryHoldsDigitsAndOutputsMatch()
{
    const unsigned seed = qEnvironmentVariableIsSet("RADIXOR_SEED")
                              ? qEnvironmentVariableIntValue("RADIXOR_SEED") : 20261207u;
    const int events = qEnvironmentVariableIsSet("RADIXOR_EVENTS") ? qEnvironmentVariableIntValue("RADIXOR_EVENTS")
                                                                   : 5000;
    qInfo("seed %u, %d events (RADIXOR_SEED and RADIXOR_EVENTS override)", seed, events);
    Dice dice(seed);

    frmRadixor form;
    QVERIFY(shown(form));
    QLineEdit *entry = box(form, "txtRadixor");
    QPushButton *cmdExit = button(form, "cmdExit");
    QSignalSpy beeped(&form, &frmRadixor::beeped);
    int converts = 0;
    connect(button(form, "cmdConvert"), &QPushButton::clicked, this, [&converts] { ++converts; });
    QString converted;  // the entry as the last Convert left it; null after Clear
    connect(button(form, "cmdClear"), &QPushButton::clicked, this, [&converted] { converted = QString(); });

    int counts[5] = {};
    for (int event = 0; event < events; ++event) {
        const QString before = entry->text();
        const bool inEntry = focused() == entry;
        const qsizetype beepsBefore = beeped.size();
        const int convertsBefore = converts;
        QString what;
        // What the event must leave in the entry, when it is the entry's own business.
        std::optional<QString> expected;
        int expectedBeeps = 0;

        const auto afterBackspace = [entry, &before] {
            const int caret = entry->cursorPosition();
            return entry->hasSelectedText() ? replaced(entry, QString())
                                            : before.left(qMax(0, caret - 1)) + before.mid(caret);
        };

        int kind = dice.upTo(100);
        // Exit would end the run: keys never reach it, Tab moves on instead.
        if (focused() == cmdExit && (kind < 70 || (kind >= 88 && kind < 91)))
            kind = 95;

        if (kind < 20) {
            const QChar digit(u'0' + dice.upTo(10));
            what = QStringLiteral("type %1").arg(digit);
            if (inEntry)
                expected = replaced(entry, digit);
            type(form, digit);
        } else if (kind < 30) {
            const QChar other = QLatin1Char(asciiOthers[std::size_t(dice.upTo(int(asciiOthers.size())))]);
            what = QStringLiteral("type U+%1").arg(other.unicode(), 4, 16, QLatin1Char('0'));
            if (inEntry)
                expected = before, expectedBeeps = 1;
            type(form, other);
        } else if (kind < 37) {
            const QString foreign = QString::fromUtf16(dice.pick(foreignCharacters));
            what = QStringLiteral("type U+%1").arg(foreign.toUcs4().front(), 4, 16, QLatin1Char('0'));
            if (inEntry)
                expected = before, expectedBeeps = 1;
            pressText(form, foreign);
        } else if (kind < 44) {
            const auto letter = Qt::Key(Qt::Key_A + dice.upTo(26));
            const auto chord = dice.upTo(4) ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier;
            what = QStringLiteral("chord %1").arg(QKeySequence(chord | letter).toString());
            // Ctrl+H is character 8, a backspace; the other letters give refused control codes.
            if (inEntry && letter == Qt::Key_H)
                expected = afterBackspace();
            else if (inEntry)
                expected = before, expectedBeeps = 1;
            press(form, letter, chord);
        } else if (kind < 50) {
            what = QStringLiteral("backspace");
            if (inEntry)
                expected = afterBackspace();
            press(form, Qt::Key_Backspace);
        } else if (kind < 58) {
            const Qt::Key key = dice.pick(moves);
            const auto modifiers = dice.upTo(3) ? Qt::NoModifier : Qt::ShiftModifier;
            what = QStringLiteral("move %1").arg(QKeySequence(modifiers | key).toString());
            if (inEntry)
                expected = before;
            press(form, key, modifiers);
        } else if (kind < 62) {
            what = QStringLiteral("delete");
            if (inEntry) {
                const int caret = entry->cursorPosition();
                expected = entry->hasSelectedText() ? replaced(entry, QString())
                                                    : before.left(caret) + before.mid(caret + 1);
            }
            pressText(form, QString(QChar(0x7F)), Qt::Key_Delete);
        } else if (kind < 70) {
            QString clip;
            for (int pieces = dice.upTo(4); pieces >= 0; --pieces)
                clip += QString::fromUtf16(dice.pick(clipPieces));
            QGuiApplication::clipboard()->setText(clip);
            what = QStringLiteral("paste \"%1\"").arg(clip);
            if (inEntry) {
                const QString piece = clip.trimmed();
                const bool taken = asciiDigits(piece);
                expected = taken ? replaced(entry, piece) : before;
                expectedBeeps = taken ? 0 : 1;
            }
            press(form, Qt::Key_Insert, Qt::ShiftModifier);
        } else if (kind < 80) {
            const int digit = dice.upTo(10);
            what = QStringLiteral("keypad %1").arg(digit);
            expected = before + QString::number(digit);
            click(keypad(form, digit));
        } else if (kind < 85) {
            what = QStringLiteral("Convert");
            click(button(form, "cmdConvert"));
        } else if (kind < 88) {
            what = QStringLiteral("Clear");
            expected = QString();
            click(button(form, "cmdClear"));
        } else if (kind < 91) {
            what = QStringLiteral("Enter");
            press(form, Qt::Key_Return);
        } else if (kind < 94) {
            QLineEdit *target = dice.upTo(2) ? entry : box(form, outputBoxes[dice.upTo(4)]);
            what = QStringLiteral("click into %1").arg(target->objectName());
            QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier,
                              QPoint(dice.upTo(target->width()), target->height() / 2));
        } else {
            const auto modifiers = dice.upTo(3) ? Qt::NoModifier : Qt::ShiftModifier;
            what = modifiers ? QStringLiteral("Shift+Tab") : QStringLiteral("Tab");
            press(form, Qt::Key_Tab, modifiers);
        }
        ++counts[kind < 44 ? 0 : kind < 70 ? 1 : kind < 80 ? 2 : kind < 91 ? 3 : 4];

        const QByteArray context = QStringLiteral("event %1 (%2) on \"%3\"").arg(event).arg(what, before).toUtf8();
        QVERIFY2(form.isVisible(), context);
        QVERIFY2(asciiDigits(entry->text()), context + " left \"" + entry->text().toUtf8() + '"');
        if (expected)
            QVERIFY2(entry->text() == *expected,
                     context + " left \"" + entry->text().toUtf8() + "\", expected \"" + expected->toUtf8() + '"');
        QVERIFY2(beeped.size() - beepsBefore == expectedBeeps,
                 context + " beeped " + QByteArray::number(beeped.size() - beepsBefore));

        if (converts != convertsBefore) {
            QVERIFY2(converts == convertsBefore + 1, context);
            converted = entry->text();
            QVERIFY2(!converted.isEmpty(), context);
            QVERIFY2(focused() == entry && entry->selectedText() == converted, context);
        }
        QStringList shownForms;
        for (const char *name : outputBoxes)
            shownForms << box(form, name)->text();
        const QStringList wanted = converted.isNull() ? QStringList(4, QString())
                                                      : QStringList{converted} + expectedForms(converted);
        QVERIFY2(shownForms == wanted, context + " shows " + shownForms.join(u'|').toUtf8() + ", expected "
                                           + wanted.join(u'|').toUtf8());
    }
    qInfo("typed %d, edited or pasted %d, keypad %d, commands %d, focus moves %d; %d converts, %d beeps",
          counts[0], counts[1], counts[2], counts[3], counts[4], converts, int(beeped.size()));
}

QTEST_MAIN(RandomEventsTest)
#include "random_events_test.moc"
