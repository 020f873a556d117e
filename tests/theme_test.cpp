// Every text of the window against its background, in the default light
// palette and in a dark one, measured as WCAG contrast ratios.

#include "radixortest.h"

#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QStyleFactory>
#include <QtTest>

#include <map>

using namespace radixortest;

class ThemeTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void lightPaletteKeepsContrast();
    void darkPaletteKeepsContrast();
    void switchingToDarkRepaintsTheOutputBoxes();

private:
    QPalette light;
};

namespace {

// Relative luminance and contrast ratio as WCAG 2 defines them.
double linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &c)
{
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
    QPalette p;
    const QColor face(53, 53, 53), field(35, 35, 35), blue(42, 130, 218);
    p.setColor(QPalette::Window, face);
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::Base, field);
    p.setColor(QPalette::AlternateBase, face);
    p.setColor(QPalette::Text, Qt::white);
    p.setColor(QPalette::Button, face);
    p.setColor(QPalette::ButtonText, Qt::white);
    p.setColor(QPalette::Highlight, blue);
    p.setColor(QPalette::HighlightedText, Qt::black);
    p.setColor(QPalette::Light, face.lighter(150));
    p.setColor(QPalette::Midlight, face.lighter(125));
    p.setColor(QPalette::Mid, face.darker(120));
    p.setColor(QPalette::Dark, face.darker(150));
    p.setColor(QPalette::Shadow, Qt::black);
    return p;
}

QPalette::ColorRole textRole(const QWidget *w)
{
    if (qobject_cast<const QLineEdit *>(w))
        return QPalette::Text;
    if (qobject_cast<const QPushButton *>(w))
        return QPalette::ButtonText;
    return QPalette::WindowText;  // labels, and Fusion's frame title
}

QPalette::ColorRole backgroundRole(const QWidget *w)
{
    if (qobject_cast<const QLineEdit *>(w))
        return QPalette::Base;
    if (qobject_cast<const QPushButton *>(w))
        return QPalette::Button;
    return QPalette::Window;
}

QString kindOf(const QWidget *w)
{
    if (auto *box = qobject_cast<const QLineEdit *>(w))
        return box->isReadOnly() ? QStringLiteral("output box") : QStringLiteral("entry box");
    if (qobject_cast<const QPushButton *>(w))
        return QStringLiteral("button");
    if (qobject_cast<const QGroupBox *>(w))
        return QStringLiteral("frame title");
    return QStringLiteral("label");
}

// The colour most pixels of an area show: the background its text stands on.
QColor mostCommon(const QImage &image, const QRect &area)
{
    std::map<QRgb, int> count;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++count[image.pixel(x, y)];
    return QColor(std::max_element(count.begin(), count.end(), [](auto &a, auto &b) { return a.second < b.second; })->first);
}

QString textOf(const QWidget *w)
{
    if (auto *box = qobject_cast<const QLineEdit *>(w))
        return box->text();
    if (auto *button = qobject_cast<const QPushButton *>(w))
        return button->text();
    if (auto *label = qobject_cast<const QLabel *>(w))
        return label->text();
    return static_cast<const QGroupBox *>(w)->title();
}

void setTextOf(QWidget *w, const QString &text)
{
    if (auto *box = qobject_cast<QLineEdit *>(w))
        box->setText(text);
    else if (auto *button = qobject_cast<QPushButton *>(w))
        button->setText(text);
    else if (auto *label = qobject_cast<QLabel *>(w))
        label->setText(text);
}

// The worst contrast between a widget's text colour and what is drawn
// behind its glyphs: the pixels that lose ink when the text is taken away
// (a moving caret gains some), as they are without it. A frame's title moves the frame when it goes, so
// there the colour most of the title's strip shows stands in.
double drawnContrast(QWidget *w, const QColor &text)
{
    QWidget *window = w->window();
    const QRect area(w->mapTo(window, QPoint(0, 0)), w->size());
    if (auto *frame = qobject_cast<QGroupBox *>(w)) {
        const QImage image = window->grab(area).toImage();
        return contrast(text, mostCommon(image, QRect(0, 0, image.width(), frame->fontMetrics().height())));
    }
    const QString kept = textOf(w);
    const QImage with = window->grab(area).toImage();
    setTextOf(w, QString());
    const QImage without = window->grab(area).toImage();
    setTextOf(w, kept);
    double worst = 0;  // no glyph at all fails
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (contrast(text, with.pixelColor(x, y)) < contrast(text, without.pixelColor(x, y)))
                worst = worst == 0 ? contrast(text, without.pixelColor(x, y))
                                   : std::min(worst, contrast(text, without.pixelColor(x, y)));
    return worst;
}

void convertWidest(frmRadixor &form)
{
    type(form, QStringLiteral("2147483647"));
    press(form, Qt::Key_Return);
}

// Every text the window shows, against its background twice: as the
// palette pairs them, and as drawn. Selected text is reported, not judged:
// its colours are the palette's own, untouched by the window.
void checkEveryText(frmRadixor &form, const char *theme)
{
    box(form, "txtRadixor")->deselect();
    std::map<QString, std::pair<double, double>> lowest;
    for (QWidget *w : form.findChildren<QWidget *>()) {
        const QPalette &p = w->palette();
        const QColor text = p.color(textRole(w));
        const double paired = contrast(text, p.color(backgroundRole(w)));
        const double onScreen = drawnContrast(w, text);
        const QString what = QStringLiteral("%1 in %2: %3:1 paired, %4:1 drawn")
                                 .arg(w->objectName(), QLatin1String(theme)).arg(paired).arg(onScreen);
        QVERIFY2(paired >= 4.5 && onScreen >= 4.5, qPrintable(what));
        auto [it, fresh] = lowest.try_emplace(kindOf(w), paired, onScreen);
        it->second = {std::min(it->second.first, paired), std::min(it->second.second, onScreen)};
        if (qobject_cast<QLineEdit *>(w)) {
            QCOMPARE(p.color(QPalette::Highlight), form.palette().color(QPalette::Highlight));
            QCOMPARE(p.color(QPalette::HighlightedText), form.palette().color(QPalette::HighlightedText));
        }
    }
    for (const auto &[kind, ratios] : lowest)
        qInfo("%s, %s: %.2f:1 paired, %.2f:1 drawn", theme, qPrintable(kind), ratios.first, ratios.second);
    const QPalette &p = form.palette();
    qInfo("%s, selected text: %.2f:1", theme, contrast(p.color(QPalette::HighlightedText), p.color(QPalette::Highlight)));
}

QColor drawnBackground(QLineEdit *box)
{
    const QImage image = box->grab().toImage();
    return mostCommon(image, image.rect());
}

const char *const outputs[] = {"txtDec", "txtBin", "txtHex", "txtOct"};

}  // namespace

void ThemeTest::initTestCase()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    light = QApplication::palette();
    QVERIFY(luminance(light.color(QPalette::Window)) > 0.5);
}

void ThemeTest::cleanup()
{
    QApplication::setPalette(light);
    QCoreApplication::processEvents();
}

void ThemeTest::lightPaletteKeepsContrast()
{
    frmRadixor form;
    QVERIFY(shown(form));
    convertWidest(form);
    checkEveryText(form, "light");
}

void ThemeTest::darkPaletteKeepsContrast()
{
    QApplication::setPalette(darkPalette());
    frmRadixor form;
    QVERIFY(shown(form));
    convertWidest(form);
    checkEveryText(form, "dark");
    QVERIFY(form.grab().save(QStringLiteral("radixor-dark.png")));
}

void ThemeTest::switchingToDarkRepaintsTheOutputBoxes()
{
    frmRadixor form;
    QVERIFY(shown(form));
    convertWidest(form);
    for (const char *name : outputs)
        QCOMPARE(drawnBackground(box(form, name)), light.color(QPalette::Window));

    // The change reaches the widgets through the event loop.
    QApplication::setPalette(darkPalette());
    QTRY_COMPARE(form.palette().color(QPalette::Window), darkPalette().color(QPalette::Window));
    for (const char *name : outputs)
        QCOMPARE(drawnBackground(box(form, name)), darkPalette().color(QPalette::Window));
    checkEveryText(form, "dark, switched while shown");
}

QTEST_MAIN(ThemeTest)
#include "theme_test.moc"
