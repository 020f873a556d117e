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
#include <QGroupBox>
#include <QImageReader>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>

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

namespace {

// Fusion draws a group box's frame from a picture of Qt's own, loaded by
// name: Qt then loads every image plugin installed (GIF, ICO, JPEG, ...) to
// ask each whether it reads PNG before it reads it itself, and stretches
// the picture's middle over the frame's inside on a pool of threads. This
// style draws the same frame from the same picture read as the PNG it is,
// and without the threads: 0.3 MiB less at start-up.
class FusionFrame : public QProxyStyle
{
public:
    explicit FusionFrame(QObject *owner)
        : QProxyStyle(QStringLiteral("fusion"))
    {
        setParent(owner);
        QImageReader reader(QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png"), "png");
        reader.setAutoDetectImageFormat(false);
        picture = QPixmap::fromImage(reader.read());
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        if (element != PE_FrameGroupBox || picture.isNull())
            return QProxyStyle::drawPrimitive(element, option, painter, widget);
        // Fusion's frame starts below the title, 3 pixels under its line.
        const auto *box = qobject_cast<const QGroupBox *>(widget);
        const int title = box && !box->isCheckable() && box->title().isEmpty()
                              ? 0
                              : std::max(pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height());
        // The picture in nine pieces: the corners as they are, the sides
        // stretched along, and the middle, which is one colour, tiled. The
        // raster engine hands a stretch or a tiling of more than 95 rows to
        // a pool of threads, so all between the top and bottom sides goes
        // in runs of 64 rows, which draw the same pixels.
        constexpr int m = 6;
        const QRect to = option->rect.adjusted(0, title + 3, 0, 0), from = picture.rect();
        const int right = to.right() - m + 1, bottom = to.bottom() - m + 1;
        const int fromRight = from.width() - m, fromBottom = from.height() - m;
        const QSize middle = to.size() - QSize(2 * m, 2 * m), fromMiddle = from.size() - QSize(2 * m, 2 * m);
        const auto piece = [&](QRect target, QPoint source, QSize size) {
            painter->drawPixmap(target, picture, QRect(source, size));
        };
        piece({to.left(), to.top(), m, m}, {0, 0}, {m, m});
        piece({right, to.top(), m, m}, {fromRight, 0}, {m, m});
        piece({to.left(), bottom, m, m}, {0, fromBottom}, {m, m});
        piece({right, bottom, m, m}, {fromRight, fromBottom}, {m, m});
        piece({to.left() + m, to.top(), middle.width(), m}, {m, 0}, {fromMiddle.width(), m});
        piece({to.left() + m, bottom, middle.width(), m}, {m, fromBottom}, {fromMiddle.width(), m});
        const QPixmap fill = picture.copy(QRect({m, m}, fromMiddle));
        for (int y = to.top() + m; y < bottom; y += 64) {
            const int rows = std::min(64, bottom - y);
            piece({to.left(), y, m, rows}, {0, m}, {m, fromMiddle.height()});
            piece({right, y, m, rows}, {fromRight, m}, {m, fromMiddle.height()});
            painter->drawTiledPixmap(QRect(to.left() + m, y, middle.width(), rows), fill);
        }
    }

private:
    QPixmap picture;
};

}  // namespace

void drawFusionFrameLean(QGroupBox *frame, QObject *owner)
{
    if (frame->style()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0)
        frame->setStyle(new FusionFrame(owner));
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
