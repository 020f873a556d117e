#include "accessibility.h"

#include <QAccessible>
#include <QLineEdit>
#include <QTest>

// What the end-to-end test over the accessibility bus cannot reach: where
// each character of an output box sits, and a box whose interface Qt made
// before it became read-only.
class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void charactersSitWhereClicksFindThem();
};

// Qt's own hit test puts the caret before a character for a click on its
// left quarter and after it for one on its right quarter, for a short text
// and for one scrolled to its end.
void AccessibilityTest::charactersSitWhereClicksFindThem()
{
    QWidget window;
    auto *box = new QLineEdit(&window);
    box->setFrame(false);
    box->setGeometry(10, 10, 120, 13);
    QVERIFY(QAccessible::queryAccessibleInterface(box)->editableTextInterface());
    box->setReadOnly(true);
    radixor::hearTextBoxes(&window);
    QVERIFY(!QAccessible::queryAccessibleInterface(box)->editableTextInterface());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const QRect shown(box->mapToGlobal(QPoint()), box->size());
    for (const QString &text : {QStringLiteral("11111111"), QString(40, u'9') + u'7'}) {
        box->setText(text);
        box->repaint();  // a line edit scrolls as it paints
        QAccessibleTextInterface *heard = QAccessible::queryAccessibleInterface(box)->textInterface();
        int seen = 0;
        for (int k = 0; k < text.size(); ++k) {
            const QRect at = heard->characterRect(k);
            const QPoint quarter(at.left() + at.width() / 4, at.center().y());
            const QPoint threeQuarters(at.left() + at.width() * 3 / 4, at.center().y());
            if (!shown.contains(quarter) || !shown.contains(threeQuarters))
                continue;
            ++seen;
            QCOMPARE(box->cursorPositionAt(box->mapFromGlobal(quarter)), k);
            QCOMPARE(heard->offsetAtPoint(threeQuarters), k + 1);
        }
        QVERIFY(seen > 5);
        // Set by the program, the caret ends up after the last character.
        QVERIFY(shown.contains(heard->characterRect(int(text.size()) - 1).center()));
        QCOMPARE(shown.contains(heard->characterRect(0).center()), text.size() < 20);
    }
}

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
