#include "appearance.h"

#include "frmradixor.h"

#include <QFontMetricsF>
#include <QFocusEvent>
#include <QImage>
#include <QLabel>
#include <QList>
#include <QPixmap>
#include <QLineEdit>
#include <QPalette>
#include <QApplication>

#include <algorithm>
#include <iterator>

namespace radixor {

QFont lineFont(QFont font, int lineHeight)
{
    // Each size measured loads a font engine. A face's line is about a
    // sixth taller than its pixel size, so the search starts there and steps
    // to the size whose next one up no longer fits: two engines where trying
    // every size from lineHeight down took three. Lines grow with the size,
    // so this is still the largest size that fits.
    const auto fits = [&font, lineHeight](int size) {
        font.setPixelSize(size);
        return QFontMetrics(font).height() <= lineHeight;
    };
    int size = std::clamp(lineHeight * 6 / 7, 5, lineHeight);
    while (size < lineHeight && fits(size + 1))
        ++size;
    while (size > 5 && !fits(size))
        --size;
    font.setPixelSize(size);
    return font;
}

// QLineEdit draws its text 2 pixels in from either side and keeps a pixel
// for the caret.
QFont narrowedToFit(QFont font, int boxWidth)
{
    const auto widest = radixor::widestResults();
    const auto advance = [&](const QFont &candidate) {
        const QFontMetricsF metrics(candidate);
        qreal most = 0;
        for (const std::string &text : widest)
            most = std::max(most, metrics.horizontalAdvance(QString::fromLatin1(text.data(), qsizetype(text.size()))));
        return most;
    };
    const auto fits = [&](const QFont &candidate) { return qRound(advance(candidate)) + 1 <= boxWidth - 4; };
    if (fits(font))
        return font;
    // Each stretch tried loads a font engine, which at start-up costs more
    // than everything else in the window, so the search starts where the
    // advance predicts the fit and a step or two settles the rounding.
    // Advances scale with the stretch only roughly: below some stretch the
    // face's own condensed cut takes over. The guess from the full width is
    // measured once and the guess taken again from there.
    const auto stretched = [&font](int stretch) {
        QFont narrower = font;
        narrower.setStretch(stretch);
        return narrower;
    };
    const auto predicted = [boxWidth](int stretch, qreal width) {
        return std::clamp(int(stretch * (boxWidth - 5) / width), 50, 99);
    };
    int stretch = predicted(100, advance(font));
    stretch = predicted(stretch, advance(stretched(stretch)));
    while (stretch < 99 && fits(stretched(stretch + 1)))
        ++stretch;
    while (stretch > 50 && !fits(stretched(stretch)))
        --stretch;
    return stretched(stretch);
}

void narrowToFit(const QList<QLineEdit *> &boxes)
{
    // Boxes alike in font and width, as the output boxes are, share one fit.
    QFont asked, fitted;
    int askedWidth = -1;
    for (QLineEdit *box : boxes) {
        if (box->width() != askedWidth || box->font() != asked) {
            asked = box->font();
            askedWidth = box->width();
            fitted = narrowedToFit(asked, askedWidth);
        }
        box->setFont(fitted);
    }
}

namespace {

// An output box shows the colour behind it rather than an entry field's.
void fillBackground(QLineEdit *box, const QColor &behind)
{
    QPalette palette;
    palette.setColor(QPalette::Base, behind);
    box->setPalette(palette);
    // Under an application style sheet Qt draws a frameless line edit
    // white whatever its palette; only a sheet of the box's own colours it.
    box->setStyleSheet(qApp->styleSheet().isEmpty()
                           ? QString()
                           : QStringLiteral("QLineEdit { background: %1; }").arg(behind.name(QColor::HexArgb)));
}

// A line edit scrolls to keep its caret in view, and a box given the focus
// selects its text, which puts the caret at the end.
class FirstDigitShown : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusOut) {
            // A popup (the box's menu, to copy) or another window only
            // lends the focus: the selection stays for it.
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
                static_cast<QLineEdit *>(watched)->setCursorPosition(0);
        }
        return false;
    }
};

}  // namespace

void showFrameBehind(QWidget *frame, const QList<QLineEdit *> &boxes)
{
    // One grab of the column through the boxes' centres: each grab paints
    // the frame anew, and at start-up four cost more than one tall one.
    QList<QPoint> centres;
    QRect column;
    for (const QLineEdit *box : boxes) {
        centres.append(frame->mapFromParent(box->geometry().center()));
        column |= QRect(centres.back(), QSize(1, 1));
    }
    const QImage drawn = frame->grab(column).toImage();
    for (qsizetype i = 0; i < boxes.size(); ++i)
        fillBackground(boxes[i], drawn.pixelColor((centres[i] - column.topLeft()) * drawn.devicePixelRatio()));
}

void showFirstDigitUnfocused(QLineEdit *box)
{
    box->installEventFilter(new FirstDigitShown(box));
}

void pinFonts(QWidget *window)
{
    for (QWidget *w : window->findChildren<QWidget *>()) {
        // Every property set, or the font counts as inherited again.
        QFont font = w->font().resolve(window->font());
        font.setResolveMask(QFont::AllPropertiesResolved);
        w->setFont(font);
        // A label is as large as its caption.
        if (auto *label = qobject_cast<QLabel *>(w))
            label->adjustSize();
    }
}

}  // namespace radixor
