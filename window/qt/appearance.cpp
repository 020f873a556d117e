#include "appearance.h"

#include "conversion.h"

#include <QFontMetricsF>
#include <QFocusEvent>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QLineEdit>
#include <QPalette>
#include <QApplication>

#include <algorithm>
#include <iterator>

namespace radixor {

QFont lineFont(QFont font, int lineHeight)
{
    for (int size = lineHeight; size > 4; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).height() <= lineHeight)
            break;
    }
    return font;
}

// The widest text is the 31 binary digits of 2^31 - 1, or of 2^30 for a
// face whose 0 is wider than its 1. QLineEdit draws its text 2 pixels in
// from either side and keeps a pixel for the caret.
QFont narrowedToFit(QFont font, int boxWidth)
{
    const QString widest[] = {
        QString::fromStdString(conversion::dec2bin(conversion::limit - 1)),
        QString::fromStdString(conversion::dec2bin(conversion::limit / 2)),
    };
    const auto fits = [&](const QFont &candidate) {
        const QFontMetricsF metrics(candidate);
        return std::all_of(std::begin(widest), std::end(widest), [&](const QString &text) {
            return qRound(metrics.horizontalAdvance(text)) + 1 <= boxWidth - 4;
        });
    };
    if (fits(font))
        return font;
    // Advances scale with the stretch, so one measurement predicts the
    // largest stretch from 99 down to 50 that fits, and a step or two
    // settles the rounding: each stretch tried loads a font engine, which
    // at start-up costs more than everything else in the window.
    const QFontMetricsF metrics(font);
    qreal full = 0;
    for (const QString &text : widest)
        full = std::max(full, metrics.horizontalAdvance(text));
    const auto stretched = [&font](int stretch) {
        QFont narrower = font;
        narrower.setStretch(stretch);
        return narrower;
    };
    int stretch = std::clamp(int(100 * (boxWidth - 5) / full), 50, 99);
    while (stretch < 99 && fits(stretched(stretch + 1)))
        ++stretch;
    while (stretch > 50 && !fits(stretched(stretch)))
        --stretch;
    return stretched(stretch);
}

QColor drawnInside(QWidget *frame, QPoint inside)
{
    return frame->grab(QRect(inside, QSize(1, 1))).toImage().pixelColor(0, 0);
}

void showFace(QLineEdit *box, const QColor &behind)
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

namespace {

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
