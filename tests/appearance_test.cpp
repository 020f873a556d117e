// Runs once per scale factor (QT_SCALE_FACTOR, as ctest sets it): the window
// drawn in the screen's own pixels, every text inside its box, and every
// text legible in the light palette and a dark one.

#include "appearance.h"
#include "radixortest.h"

#include <QFontMetricsF>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionFrame>
#include <QtTest>

#include <cmath>
#include <map>

using namespace radixortest;

namespace {

// Relative luminance and contrast ratio as WCAG 2 defines them.
double luminance(const QColor &c)
{
    const auto linear = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A dark palette of the kind dark desktop themes hand to Qt.
QPalette darkPalette()
{
    const QColor face(53, 53, 53);
    QPalette p(Qt::white, face, face.lighter(150), face.darker(150), face.darker(120), Qt::white, Qt::white,
               QColor(35, 35, 35), face);
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::black);
    return p;
}

// One character a column: '#' where some pixel is nearer the text colour
// than the background, '.' elsewhere. Glyphs that stand apart are runs of '#'.
QString inkColumns(const QImage &image, QColor background, QColor text)
{
    const double threshold = (luminance(background) + luminance(text)) / 2;
    QString columns(image.width(), u'.');
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if ((luminance(image.pixelColor(x, y)) < threshold) == (luminance(text) < threshold))
                columns[x] = u'#';
    return columns;
}

// Where a line edit draws its text, less the 2 pixels it keeps clear at
// either side.
int textRoom(const QLineEdit *box)
{
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
    return box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box).width() - 4;
}

// The colour most pixels of an area show: the background its text stands on.
QColor mostCommon(const QImage &image, const QRect &area)
{
    std::map<QRgb, int> count;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++count[image.pixel(x, y)];
    const auto more = [](const auto &a, const auto &b) { return a.second < b.second; };
    return QColor(std::max_element(count.begin(), count.end(), more)->first);
}

// The worst contrast between a widget's text colour and what is drawn
// behind its glyphs: the pixels that lose ink when the text is taken away,
// as they are without it. A frame's title moves the frame when it goes, so
// there the colour most of the title's strip shows stands in.
double drawnContrast(QWidget *w, const QColor &text)
{
    QWidget *window = w->window();
    const QRect area(w->mapTo(window, QPoint(0, 0)), w->size());
    const QImage with = window->grab(area).toImage();
    if (auto *frame = qobject_cast<QGroupBox *>(w))
        return contrast(text, mostCommon(with, QRect(0, 0, with.width(), frame->fontMetrics().height())));
    const QVariant kept = w->property("text");
    w->setProperty("text", QString());
    const QImage without = window->grab(area).toImage();
    w->setProperty("text", kept);
    double worst = 0;  // no glyph at all fails
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (const double behind = contrast(text, without.pixelColor(x, y));
                contrast(text, with.pixelColor(x, y)) < behind)
                worst = worst == 0 ? behind : std::min(worst, behind);
    return worst;
}

// Every text the window shows against its background, as the palette pairs
// them and as drawn. Selected text is reported, not judged: its colours are
// the palette's own, untouched by the window.
void checkEveryText(Radixor &r, const QString &theme)
{
    r.entry->deselect();
    double lowestPaired = 21, lowestDrawn = 21;
    for (QWidget *w : r.form.findChildren<QWidget *>()) {
        const bool box = qobject_cast<QLineEdit *>(w), button = qobject_cast<QPushButton *>(w);
        const QPalette &p = w->palette();
        const QColor text = p.color(box ? QPalette::Text : button ? QPalette::ButtonText : QPalette::WindowText);
        const QColor ground = p.color(box ? QPalette::Base : button ? QPalette::Button : QPalette::Window);
        const double paired = contrast(text, ground);
        const double drawn = drawnContrast(w, text);
        QVERIFY2(paired >= 4.5 && drawn >= 4.5, qPrintable(QStringLiteral("%1 in %2: %3:1 paired, %4:1 drawn")
                                                               .arg(w->objectName(), theme).arg(paired).arg(drawn)));
        lowestPaired = std::min(lowestPaired, paired);
        lowestDrawn = std::min(lowestDrawn, drawn);
    }
    const QPalette &p = r.form.palette();
    qInfo("%s: lowest %.2f:1 paired, %.2f:1 drawn; selected text %.2f:1", qPrintable(theme), lowestPaired, lowestDrawn,
          contrast(p.color(QPalette::HighlightedText), p.color(QPalette::Highlight)));
}

// The colours most of each output box shows, and most of the frame in the
// strip just below it, as the window draws them.
std::pair<QList<QColor>, QList<QColor>> boxesAndFrame(Radixor &r)
{
    QList<QColor> boxes, frame;
    for (const char *name : outputBoxes) {
        const QRect box = r.box(name)->geometry();
        const QImage drawn = r.form.grab(box).toImage();
        boxes << mostCommon(drawn, drawn.rect());
        const QImage below = r.form.grab(box.translated(0, box.height() + 2).adjusted(0, 0, 0, -4)).toImage();
        frame << mostCommon(below, below.rect());
    }
    return {boxes, frame};
}

void convertWidest(const Radixor &r)
{
    r.type(QStringLiteral("2147483647"));
    r.press(Qt::Key_Return);
}

}  // namespace

class AppearanceTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void widestBinaryFitsInDevicePixels();
    void fontSearchesFindTheLargestThatFits();
    void captionsFitTheirControls();
    void drawnInEachPalette_data();
    void drawnInEachPalette();
    void switchingToDarkRepaintsTheOutputBoxes();
    void longResultsShowTheirFirstDigits();
    void styleSheetLeavesTheLook();
    void frameDrawnAsTheStyleDrawsIt();

private:
    qreal factor = 1;
    QPalette light;
};

void AppearanceTest::initTestCase()
{
    bool ok = false;
    factor = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble(&ok);
    QVERIFY(ok);
    qInfo("scale factor %g", factor);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    light = QApplication::palette();
    QVERIFY(luminance(light.color(QPalette::Window)) > 0.5);
}

void AppearanceTest::cleanup()
{
    QApplication::setPalette(light);
    QCoreApplication::processEvents();
}

void AppearanceTest::widestBinaryFitsInDevicePixels()
{
    Radixor r;
    QVERIFY(r.active);
    QCOMPARE(r.form.devicePixelRatio(), factor);
    convertWidest(r);
    const QPixmap shot = r.form.grab();
    QCOMPARE(shot.size(), (QSizeF(424, 212) * factor).toSize());
    const QString file = QStringLiteral("radixor-x%1.png").arg(factor);
    QVERIFY(shot.save(file));
    qInfo("window drawn in %s", qPrintable(file));

    QLineEdit *bin = r.box("txtBin");
    QCOMPARE(bin->text(), QString(31, u'1'));
    const qreal advance = QFontMetricsF(bin->font()).horizontalAdvance(bin->text());
    qInfo("31 binary digits take %.1f of %d pixels, stretch %d", advance, textRoom(bin), bin->font().stretch());
    QVERIFY(qRound(advance) + 1 <= textRoom(bin));  // the caret needs a pixel more, or the line scrolls
    // Drawn, every digit shows whole: 31 separate glyphs, none at the edge.
    const QString ink = inkColumns(bin->grab().toImage(), bin->palette().color(QPalette::Base),
                                   bin->palette().color(QPalette::Text));
    QVERIFY2(ink.split(u'.', Qt::SkipEmptyParts).size() == 31 && ink.startsWith(u'.') && ink.endsWith(u'.'),
             qPrintable(ink));
}

// Both searches start from a guess to load fewer font engines; what they
// find is what trying every size, or stretch, from the top down finds.
void AppearanceTest::fontSearchesFindTheLargestThatFits()
{
    const QFont font = QApplication::font();
    for (const int line : {9, 13, 17, 24}) {
        int largest = line;
        QFont tried = font;
        for (; largest > 5; --largest) {
            tried.setPixelSize(largest);
            if (QFontMetrics(tried).height() <= line)
                break;
        }
        QCOMPARE(radixor::lineFont(font, line).pixelSize(), largest);
    }

    QFont boxFont = radixor::lineFont(font, 13);
    const QString widest[] = {QString(31, u'1'), u'1' + QString(30, u'0')};
    for (const int width : {150, 180, 201, 240}) {
        int largest = 100;
        for (; largest > 50; --largest) {
            QFont tried = boxFont;
            tried.setStretch(largest);
            const QFontMetricsF metrics(tried);
            if (qRound(std::max(metrics.horizontalAdvance(widest[0]), metrics.horizontalAdvance(widest[1]))) + 1 <=
                width - 4)
                break;
        }
        const int found = radixor::narrowedToFit(boxFont, width).stretch();
        QCOMPARE(found == 0 ? 100 : found, largest);
    }
}

void AppearanceTest::captionsFitTheirControls()
{
    Radixor r;
    QVERIFY(r.active);
    // A label ends before the box it names begins, on the same line.
    for (auto *label : r.form.findChildren<QLabel *>()) {
        const QRect onWindow(label->mapTo(&r.form, QPoint(0, 0)), label->size());
        QVERIFY2(label->buddy() && onWindow.right() < label->buddy()->geometry().left(),
                 qPrintable(label->objectName()));
        QCOMPARE(onWindow.top(), label->buddy()->geometry().top());
    }
    for (auto *button : r.form.findChildren<QPushButton *>()) {
        const qreal advance = QFontMetricsF(button->font()).horizontalAdvance(button->text().remove(u'&'));
        QVERIFY2(advance + 4 <= button->contentsRect().width(), qPrintable(button->accessibleName()));
    }
    const qreal widestEntry = QFontMetricsF(r.entry->font()).horizontalAdvance(QStringLiteral("2147483648"));
    QVERIFY(qRound(widestEntry) + 1 <= textRoom(r.entry));
}

void AppearanceTest::drawnInEachPalette_data()
{
    QTest::addColumn<bool>("dark");
    QTest::newRow("light") << false;
    QTest::newRow("dark") << true;
}

// Every text keeps its contrast, and the output boxes, empty or filled, read
// as part of the frame behind them: Fusion draws the frame's inside a shade
// darker than the window, and a box in the window's colour would stand out
// from it as a lighter strip.
void AppearanceTest::drawnInEachPalette()
{
    QFETCH(bool, dark);
    if (dark)
        QApplication::setPalette(darkPalette());
    Radixor r;
    QVERIFY(r.active);
    const auto [empty, frameBefore] = boxesAndFrame(r);
    QCOMPARE(empty, frameBefore);
    convertWidest(r);
    const auto [filled, frame] = boxesAndFrame(r);
    QCOMPARE(filled, frame);
    checkEveryText(r, QLatin1String(dark ? "dark" : "light"));
    if (dark)
        QVERIFY(r.form.grab().save(QStringLiteral("radixor-dark-x%1.png").arg(factor)));
}

void AppearanceTest::switchingToDarkRepaintsTheOutputBoxes()
{
    Radixor r;
    QVERIFY(r.active);
    convertWidest(r);
    const auto lightBoxes = boxesAndFrame(r).first;
    // The change reaches the widgets through the event loop.
    QApplication::setPalette(darkPalette());
    QTRY_COMPARE(r.form.palette().color(QPalette::Window), darkPalette().color(QPalette::Window));
    const auto [boxes, frame] = boxesAndFrame(r);
    QCOMPARE(boxes, frame);
    QVERIFY(luminance(boxes[0]) < 0.1 && luminance(lightBoxes[0]) > 0.5);
    checkEveryText(r, QStringLiteral("dark, switched while shown"));
}

// Fifty digits fill the Dec box and more: it shows them from the first,
// whole, so two numbers that differ only there look different, whenever
// the box has not the focus.
void AppearanceTest::longResultsShowTheirFirstDigits()
{
    Radixor r;
    QVERIFY(r.active);
    QLineEdit *dec = r.box("txtDec");
    QList<QImage> drawn;
    for (const char *first : {"1", "2"}) {
        r.retype(first + QString(49, u'0'));
        r.press(Qt::Key_Return);
        QCOMPARE(dec->text().size(), 50);
        drawn << r.form.grab(dec->geometry()).toImage();
        const QString ink = inkColumns(drawn.back(), dec->palette().color(QPalette::Base),
                                       dec->palette().color(QPalette::Text));
        QVERIFY2(ink.startsWith(u'.'), qPrintable(ink));  // no glyph cut at the left edge
    }
    QVERIFY(drawn[0] != drawn[1]);
    // The entry keeps its caret where the user types, at the end.
    QCOMPARE(r.entry->cursorPosition(), 50);
    // Focused, the box selects its text and shows its end; left, it shows
    // its first digit again, as before.
    r.tabTo(dec);
    QVERIFY(r.form.grab(dec->geometry()).toImage() != drawn[1]);
    r.press(Qt::Key_Tab);
    QCOMPARE(r.form.grab(dec->geometry()).toImage(), drawn[1]);
}

// A style sheet for the whole application, as qt6ct sets one or -stylesheet
// does, with no rule for the window's controls: the window is drawn, pixel
// for pixel, as without it, boxes, colours and captions, after a Convert.
void AppearanceTest::styleSheetLeavesTheLook()
{
    QApplication::setCursorFlashTime(0);  // the entry's caret stays drawn
    const auto drawn = [] {
        Radixor r;
        convertWidest(r);
        return r.active ? r.form.grab().toImage() : QImage();
    };
    const QImage plain = drawn();
    qApp->setStyleSheet(QStringLiteral("QScrollBar { width: 20px; }"));
    const QImage styled = drawn();
    qApp->setStyleSheet(QString());
    QVERIFY(!plain.isNull());
    if (styled != plain) {
        QVERIFY(styled.save(QStringLiteral("radixor-stylesheet-x%1.png").arg(factor)));
        QFAIL("drawn otherwise under a style sheet: see radixor-stylesheet-x*.png");
    }
}

// The window draws its frame itself under Fusion, to spare the image
// plugins and threads Fusion's own drawing loads: pixel for pixel, a group
// box of the same size and title as Fusion draws it.
void AppearanceTest::frameDrawnAsTheStyleDrawsIt()
{
    Radixor r;
    QVERIFY(r.active);
    auto *frame = r.form.findChild<QGroupBox *>(QStringLiteral("Frame1"));
    QGroupBox plain(frame->title());
    plain.setFont(frame->font());
    plain.resize(frame->size());
    QCOMPARE(plain.style()->name(), QStringLiteral("fusion"));
    const auto drawn = [this](QWidget *w) {
        QImage image(w->size() * factor, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(factor);
        image.fill(Qt::transparent);
        w->render(&image, {}, {}, QWidget::DrawWindowBackground);
        return image;
    };
    QCOMPARE(drawn(frame), drawn(&plain));
    QVERIFY(frame->style() != plain.style());
}

QTEST_MAIN(AppearanceTest)
#include "appearance_test.moc"
