// The behaviour cases of tests/behaviour/cases.txt, run against the Qt
// window with real key and mouse events.

#include "radixortest.h"

#include <QFile>
#include <QMap>

using namespace radixortest;

namespace {

struct Step {
    int line;
    QStringList words;
};

struct Case {
    QString title;
    QList<Step> steps;
};

// Words split at blanks; a double-quoted one keeps its blanks and reads
// \" \\ \n and \t.
QStringList split(const QString &line)
{
    QStringList words;
    for (qsizetype i = 0; i < line.size();) {
        if (line[i].isSpace()) {
            ++i;
            continue;
        }
        QString word;
        if (line[i] == u'"') {
            for (++i; i < line.size() && line[i] != u'"'; ++i) {
                if (line[i] == u'\\' && i + 1 < line.size()) {
                    const QChar c = line[++i];
                    word += c == u'n' ? QChar(u'\n') : c == u't' ? QChar(u'\t') : c;
                } else {
                    word += line[i];
                }
            }
            ++i;
        } else {
            while (i < line.size() && !line[i].isSpace())
                word += line[i++];
        }
        words << word;
    }
    return words;
}

QList<Case> readCases()
{
    QFile file(QStringLiteral(RADIXOR_CASES));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("cannot read %s", RADIXOR_CASES);
    QList<Case> cases;
    int number = 0;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        ++number;
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(QLatin1String("case ")))
            cases.append({line.mid(5), {}});
        else if (!cases.isEmpty())
            cases.last().steps.append({number, split(line)});
    }
    return cases;
}

// An X key name, with any "shift+", "ctrl+" and "alt+" before it, as the
// key press and text the desktop delivers for it.
struct Chord {
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers;
    QString text;
};

Chord chord(const QString &name)
{
    static const QMap<QString, std::pair<Qt::Key, QString>> named = {
        {"Return", {Qt::Key_Return, "\r"}},        {"Escape", {Qt::Key_Escape, "\x1b"}},
        {"Tab", {Qt::Key_Tab, "\t"}},              {"BackSpace", {Qt::Key_Backspace, "\b"}},
        {"Delete", {Qt::Key_Delete, ""}},          {"Insert", {Qt::Key_Insert, ""}},
        {"Home", {Qt::Key_Home, ""}},              {"End", {Qt::Key_End, ""}},
        {"Left", {Qt::Key_Left, ""}},              {"Right", {Qt::Key_Right, ""}},
        {"space", {Qt::Key_Space, " "}},           {"bracketleft", {Qt::Key_BracketLeft, "["}},
        {"bracketright", {Qt::Key_BracketRight, "]"}}, {"backslash", {Qt::Key_Backslash, "\\"}},
    };
    Chord c;
    QStringList parts = name.split(u'+');
    const QString key = parts.takeLast();
    for (const QString &modifier : parts)
        c.modifiers |= modifier == "shift" ? Qt::ShiftModifier
            : modifier == "ctrl"           ? Qt::ControlModifier
                                           : Qt::AltModifier;
    if (named.contains(key)) {
        std::tie(c.key, c.text) = named.value(key);
    } else if (key.size() == 1) {
        c.key = QTest::asciiToKey(key[0].toUpper().toLatin1());
        c.text = key;
    } else {
        qFatal("no such key: %s", qPrintable(key));
    }
    if (c.key == Qt::Key_Tab && (c.modifiers & Qt::ShiftModifier))
        c.key = Qt::Key_Backtab;
    // Ctrl writes the control character for a letter and its kin, as X does.
    if ((c.modifiers & Qt::ControlModifier) && c.text.size() == 1 && c.text[0].unicode() >= 0x40)
        c.text = QChar(c.text[0].toUpper().unicode() & 0x1F);
    return c;
}

// "Btn5" for the keypad's 5, the objectName for the rest.
QString nameOf(const QWidget *w)
{
    if (!w)
        return QStringLiteral("(nothing)");
    if (auto *button = qobject_cast<const QAbstractButton *>(w); button && button->group())
        return QStringLiteral("Btn%1").arg(button->group()->id(const_cast<QAbstractButton *>(button)));
    return w->objectName();
}

class BehaviourTest : public QObject
{
    Q_OBJECT

private slots:
    void cases_data();
    void cases();
};

void BehaviourTest::cases_data()
{
    QTest::addColumn<int>("index");
    const QList<Case> all = readCases();
    QVERIFY(!all.isEmpty());
    for (int i = 0; i < all.size(); ++i)
        QTest::newRow(qPrintable(all[i].title)) << i;
}

void BehaviourTest::cases()
{
    QFETCH(int, index);
    const Case c = readCases().at(index);
    Radixor r;
    QVERIFY(r.active);
    const auto control = [&r](const QString &name) -> QWidget * {
        if (name.startsWith(QLatin1String("Btn")) && name.size() == 4)
            return r.keypad(name[3].digitValue());
        return r.form.findChild<QWidget *>(name);
    };
    for (const Step &step : c.steps) {
        const QStringList &w = step.words;
        const QString at = QStringLiteral("line %1: %2").arg(step.line).arg(w.join(u' '));
        const QString verb = w.value(0);
        if (verb == "type") {
            r.type(w.value(1));
        } else if (verb == "key") {
            for (const QString &name : w.mid(1)) {
                const Chord k = chord(name);
                QTest::sendKeyEvent(QTest::Click, r.form.windowHandle(), k.key, k.text, k.modifiers);
            }
        } else if (verb == "click") {
            QWidget *target = control(w.value(1));
            QVERIFY2(target, qPrintable(at));
            click(target);
        } else if (verb == "paste" || verb == "paste-digits") {
            setClipboard(verb == "paste" ? w.value(1) : QString(w.value(1).toInt(), u'9'));
            r.press(Qt::Key_Insert, Qt::ShiftModifier);
        } else if (verb == "reactivate") {
            QWidget other;
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
            other.hide();
            r.form.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&r.form));
        } else if (verb == "expect" && w.value(1) == "closed") {
            QVERIFY2(!r.form.isVisible(), qPrintable(at));
        } else if (verb == "expect" && w.value(1) == "focus") {
            QCOMPARE(nameOf(focused()) + "  (" + at + ")", w.value(2) + "  (" + at + ")");
        } else if (verb == "expect" && w.value(1) == "beeps") {
            QCOMPARE(QString::number(r.beeps.count()) + "  (" + at + ")", w.value(2) + "  (" + at + ")");
        } else if (verb == "expect" && w.value(1) == "length") {
            QCOMPARE(QString::number(r.box(qPrintable(w.value(2)))->text().size()) + "  (" + at + ")",
                     w.value(3) + "  (" + at + ")");
        } else if (verb == "expect") {
            const QLineEdit *b = r.box(qPrintable(w.value(1)));
            QVERIFY2(b, qPrintable(at));
            QString seen = b->text();
            QString wanted = w.value(2);
            if (w.size() > 3) {
                const bool any = b->hasSelectedText();
                seen += QStringLiteral(" %1 %2").arg(any ? b->selectionStart() : b->cursorPosition())
                            .arg(any ? b->selectedText().size() : 0);
                wanted += QStringLiteral(" %1 %2").arg(w.value(3), w.value(4));
            }
            QCOMPARE(seen + "  (" + at + ")", wanted + "  (" + at + ")");
        } else {
            QFAIL(qPrintable("unknown step, " + at));
        }
    }
}

}  // namespace

QTEST_MAIN(BehaviourTest)
#include "behaviour_test.moc"
