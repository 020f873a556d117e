// Runs once per scale factor (QT_SCALE_FACTOR, as ctest sets it): the window
// must be drawn in the screen's own pixels, with every text inside its box.

#include "radixortest.h"

#include <QFontMetricsF>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QtTest>

using namespace radixortest;

class ScreensTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void drawnInDevicePixels();
    void widestBinaryFitsItsBox();
    void captionsFitTheirControls();

private:
    qreal factor = 1;
};

namespace {

double luminance(QColor c)
{
    return 0.2126 * c.redF() + 0.7152 * c.greenF() + 0.0722 * c.blueF();
}

// Columns holding ink (pixels nearer the text colour than the background),
// as runs: one run per glyph when the glyphs stand apart.
QList<std::pair<int, int>> inkRuns(const QImage &image, QColor background, QColor text)
{
    const double threshold = (luminance(background) + luminance(text)) / 2;
    const bool darkText = luminance(text) < luminance(background);
    QList<std::pair<int, int>> runs;
    for (int x = 0; x < image.width(); ++x) {
        bool ink = false;
        for (int y = 0; y < image.height() && !ink; ++y) {
            const double l = luminance(image.pixelColor(x, y));
            ink = darkText ? l < threshold : l > threshold;
        }
        if (!ink)
            continue;
        if (!runs.isEmpty() && runs.back().second == x - 1)
            runs.back().second = x;
        else
            runs.append({x, x});
    }
    return runs;
}

// Where a line edit draws its text, less the 2 pixels it keeps clear at
// either side.
int textRoom(const QLineEdit *box)
{
    QStyleOptionFrame option;
    option.initFrom(box);
    option.rect = box->rect();
    option.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
    return box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box).width() - 4;
}

QString strip(QString caption)
{
    return caption.remove(u'&');
}

}  // namespace

void ScreensTest::initTestCase()
{
    bool ok = false;
    factor = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble(&ok);
    QVERIFY(ok);
    qInfo("scale factor %g", factor);
}

void ScreensTest::drawnInDevicePixels()
{
    frmRadixor form;
    QVERIFY(shown(form));
    QCOMPARE(form.devicePixelRatio(), factor);
    type(form, QStringLiteral("2147483647"));
    press(form, Qt::Key_Return);

    const QPixmap shot = form.grab();
    QCOMPARE(shot.devicePixelRatio(), factor);
    QCOMPARE(shot.size(), (QSizeF(form.size()) * factor).toSize());
    QCOMPARE(shot.size(), (QSizeF(424, 212) * factor).toSize());
    const QString file = QStringLiteral("radixor-x%1.png").arg(factor);
    QVERIFY(shot.save(file));
    qInfo("window drawn in %s", qPrintable(file));
}

void ScreensTest::widestBinaryFitsItsBox()
{
    frmRadixor form;
    QVERIFY(shown(form));
    type(form, QStringLiteral("2147483647"));
    press(form, Qt::Key_Return);
    QLineEdit *bin = box(form, "txtBin");
    QCOMPARE(bin->text(), QString(31, u'1'));

    const int room = textRoom(bin);
    const qreal advance = QFontMetricsF(bin->font()).horizontalAdvance(bin->text());
    qInfo("31 binary digits take %.1f of %d pixels, stretch %d", advance, room, bin->font().stretch());
    // The caret needs a pixel more, or the line scrolls.
    QVERIFY(qRound(advance) + 1 <= room);

    // Drawn, every digit shows whole: 31 separate glyphs, none at the edge.
    const QImage drawn = bin->grab().toImage();
    const auto runs = inkRuns(drawn, bin->palette().color(QPalette::Base), bin->palette().color(QPalette::Text));
    QCOMPARE(runs.size(), 31);
    QVERIFY(runs.front().first > 0);
    QVERIFY(runs.back().second < drawn.width() - 1);
}

void ScreensTest::captionsFitTheirControls()
{
    frmRadixor form;
    QVERIFY(shown(form));

    for (auto *label : form.findChildren<QLabel *>()) {
        const qreal advance = QFontMetricsF(label->font()).horizontalAdvance(label->text());
        QVERIFY2(advance <= label->width(), qPrintable(label->objectName()));
        // A label ends before the box it names begins.
        QWidget *named = label->buddy();
        QVERIFY(named);
        const QRect labelOnWindow(label->mapTo(&form, QPoint(0, 0)), label->size());
        QVERIFY2(labelOnWindow.right() < named->geometry().left(), qPrintable(label->objectName()));
        QCOMPARE(labelOnWindow.top(), named->geometry().top());
    }

    for (auto *button : form.findChildren<QPushButton *>()) {
        const qreal advance = QFontMetricsF(button->font()).horizontalAdvance(strip(button->text()));
        QVERIFY2(advance + 4 <= button->contentsRect().width(), qPrintable(button->accessibleName()));
    }

    auto *frame = form.findChild<QGroupBox *>(QStringLiteral("Frame1"));
    QVERIFY(QFontMetricsF(frame->font()).horizontalAdvance(frame->title()) < frame->width() / 2);

    QLineEdit *entry = box(form, "txtRadixor");
    const qreal widestEntry = QFontMetricsF(entry->font()).horizontalAdvance(QStringLiteral("2147483648"));
    QVERIFY(qRound(widestEntry) + 1 <= textRoom(entry));
}

QTEST_MAIN(ScreensTest)
#include "screens_test.moc"
