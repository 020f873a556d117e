#include "radixortest.h"

#include <random>
#include <string_view>

using namespace radixortest;

namespace {

// The four output texts for an entry, worked out by Qt's own number
// parsing and formatting rather than the window's arithmetic.
QStringList expectedOutputs(const QString &digits)
{
    bool parsed = false;
    const qulonglong value = digits.toULongLong(&parsed);
    if (!parsed || value >= (1ULL << 31))
        return {digits, QStringLiteral("Too big"), QStringLiteral("Too big"), QStringLiteral("Too big")};
    QStringList forms = {digits};
    for (const int base : {2, 16, 8})
        forms << QString::number(value, base).toUpper();
    return forms;
}

bool asciiDigits(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The entry's text with its selection (or nothing, at the caret) replaced
// by piece: what typing or pasting into it should leave.
QString replaced(const QLineEdit *entry, const QString &piece)
{
    const int start = entry->hasSelectedText() ? entry->selectionStart() : entry->cursorPosition();
    return entry->text().left(start) + piece + entry->text().mid(start + entry->selectedText().size());
}

// What Backspace (before < 0) or Delete should leave.
QString erased(const QLineEdit *entry, int before)
{
    if (entry->hasSelectedText())
        return replaced(entry, QString());
    const int at = entry->cursorPosition() + before;
    return at < 0 ? entry->text() : entry->text().left(at) + entry->text().mid(at + 1);
}

const char16_t *const foreignCharacters[] = {
    u"\u0663", u"\u0669", u"\u06F5", u"\u0966", u"\uFF10", u"\uFF19", u"\u00B2", u"\u2167",
    u"\u00E9", u"\u00DF", u"\u4E03", u"\u00A0", u"\u3000", u"\U0001D7D8", u"\U0001F600",
};
constexpr std::string_view asciiOthers = " -+.,;:/*#'\"!?_=()[]eExXaZ";
const char16_t *const clipPieces[] = {
    u"0", u"1", u"42", u"907", u"2147483648", u" ", u"  ", u"\t", u"\n", u"\u3000",
    u"-", u".", u"e", u"x", u"abc", u"\u0663", u"\uFF15", u"\u00A0", u"",
};
const char *const moves[] = {"Left", "Right", "Home", "End"};

}  // namespace

class RandomEventsTest : public QObject
{
    Q_OBJECT

private slots:
    void entryHoldsDigitsAndOutputsMatch();
};

// Thousands of seeded events; after each the entry holds only ASCII digits
// and the outputs show the oracle's forms of the entry as last converted.
void RandomEventsTest::entryHoldsDigitsAndOutputsMatch()
{
    const unsigned seed = qEnvironmentVariableIsSet("RADIXOR_SEED") ? qEnvironmentVariableIntValue("RADIXOR_SEED")
                                                                    : 20261207u;
    const int events = qEnvironmentVariableIsSet("RADIXOR_EVENTS") ? qEnvironmentVariableIntValue("RADIXOR_EVENTS")
                                                                   : 5000;
    qInfo("seed %u, %d events (RADIXOR_SEED and RADIXOR_EVENTS override)", seed, events);
    std::mt19937 engine(seed);
    const auto upTo = [&engine](int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine); };
    const auto pick = [&upTo](const auto &choices) { return choices[upTo(int(std::size(choices)))]; };

    Radixor r;
    QVERIFY(r.active);
    QLineEdit *entry = r.entry;
    int converts = 0;
    connect(r.button("cmdConvert"), &QPushButton::clicked, this, [&converts] { ++converts; });
    QString converted;  // the entry as the last Convert left it; null after Clear
    connect(r.button("cmdClear"), &QPushButton::clicked, this, [&converted] { converted = QString(); });

    for (int event = 0; event < events; ++event) {
        const QString before = entry->text();
        const bool inEntry = focused() == entry;
        const qsizetype beepsBefore = r.beeps.size();
        const int convertsBefore = converts;
        QString what;
        std::optional<QString> expected;  // when the event is the entry's own business
        int expectedBeeps = 0;
        const auto refused = [&] {
            if (inEntry)
                expected = before, expectedBeeps = 1;
        };

        int kind = upTo(100);
        // Exit would end the run: keys never reach it, Tab moves on instead.
        if (focused() == r.button("cmdExit") && (kind < 70 || (kind >= 88 && kind < 91)))
            kind = 95;

        if (kind < 20) {
            const QChar digit(u'0' + upTo(10));
            what = QStringLiteral("type %1").arg(digit);
            if (inEntry)
                expected = replaced(entry, digit);
            r.type(digit);
        } else if (kind < 37) {
            const QString other = kind < 30 ? QString(QLatin1Char(pick(asciiOthers)))
                                            : QString::fromUtf16(pick(foreignCharacters));
            what = QStringLiteral("type U+%1").arg(other.toUcs4().front(), 4, 16, QLatin1Char('0'));
            refused();
            r.type(other);
        } else if (kind < 44) {
            what = QStringLiteral("%1+%2").arg(upTo(4) ? "Ctrl" : "Ctrl+Shift").arg(QChar(u'A' + upTo(26)));
            // Ctrl+H is character 8, a backspace; the other letters give refused control codes.
            if (inEntry && what.endsWith(u'H'))
                expected = erased(entry, -1);
            else
                refused();
            r.keys(what);
        } else if (kind < 50) {
            what = QStringLiteral("Backspace");
            if (inEntry)
                expected = erased(entry, -1);
            r.keys(what);
        } else if (kind < 58) {
            what = (upTo(3) ? QString() : QStringLiteral("Shift+")) + QLatin1String(pick(moves));
            if (inEntry)
                expected = before;
            r.keys(what);
        } else if (kind < 62) {
            what = QStringLiteral("delete");
            if (inEntry)
                expected = erased(entry, 0);
            r.pressText(QString(QChar(0x7F)), Qt::Key_Delete);
        } else if (kind < 70) {
            QString clip;
            for (int pieces = upTo(4); pieces >= 0; --pieces)
                clip += QString::fromUtf16(pick(clipPieces));
            setClipboard(clip);
            what = QStringLiteral("paste \"%1\"").arg(clip);
            // Blanks alone are refused; an empty clipboard only deletes
            // the selection, as paste does everywhere.
            const QString piece = clip.trimmed();
            if (inEntry && asciiDigits(piece) && (!piece.isEmpty() || clip.isEmpty()))
                expected = replaced(entry, piece);
            else
                refused();
            r.press(Qt::Key_Insert, Qt::ShiftModifier);
        } else if (kind < 80) {
            const int digit = upTo(10);
            what = QStringLiteral("keypad %1").arg(digit);
            expected = before + QString::number(digit);
            click(r.keypad(digit));
        } else if (kind < 85) {
            what = QStringLiteral("Convert");
            r.click("cmdConvert");
        } else if (kind < 88) {
            what = QStringLiteral("Clear");
            expected = QString();
            r.click("cmdClear");
        } else if (kind < 91) {
            what = QStringLiteral("Return");
            r.keys(what);
        } else if (kind < 94) {
            QLineEdit *target = upTo(2) ? entry : r.box(outputBoxes[upTo(4)]);
            what = QStringLiteral("click into %1").arg(target->objectName());
            const QPoint at(upTo(target->width()), target->height() / 2);
            QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, at);
        } else {
            what = upTo(3) ? QStringLiteral("Tab") : QStringLiteral("Shift+Tab");
            r.keys(what);
        }

        const QByteArray context = QStringLiteral("event %1 (%2) on \"%3\" left \"%4\"")
                                       .arg(event).arg(what, before, entry->text()).toUtf8();
        QVERIFY2(r.form.isVisible(), context);
        QVERIFY2(asciiDigits(entry->text()), context);
        if (expected)
            QVERIFY2(entry->text() == *expected, context + ", expected \"" + expected->toUtf8() + '"');
        QVERIFY2(r.beeps.size() - beepsBefore == expectedBeeps,
                 context + " and beeped " + QByteArray::number(r.beeps.size() - beepsBefore));
        if (converts != convertsBefore) {
            converted = entry->text();
            QVERIFY2(converts == convertsBefore + 1 && !converted.isEmpty(), context);
            QVERIFY2(focused() == entry && entry->selectedText() == converted, context);
        }
        const QStringList wanted = converted.isNull() ? QStringList(4) : expectedOutputs(converted);
        QVERIFY2(r.outputs() == wanted, context + " shows " + r.outputs().join(u'|').toUtf8() + ", expected "
                                            + wanted.join(u'|').toUtf8());
    }
    qInfo("%d converts, %d beeps", converts, int(r.beeps.size()));
}

QTEST_MAIN(RandomEventsTest)
#include "random_events_test.moc"
