#include "placement.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

// A window larger than the area keeps its top-left corner, and so its
// title bar, on it rather than being centred partly off the screen.
QPoint centredIn(const QRect &area, const QSize &size)
{
    const QPoint centred =
        area.topLeft() + QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2);
    return QPoint(std::max(centred.x(), area.left()), std::max(centred.y(), area.top()));
}

void placeClient(QWidget &window, const QMargins &frame)
{
    const QPoint outer = centredIn(window.screen()->availableGeometry(), window.size().grownBy(frame));
    window.setGeometry(QRect(outer + QPoint(frame.left(), frame.top()), window.size()));
}

// Qt guesses a frame before the window manager has drawn one; the first
// exposure comes after the window is framed and mapped, so the margins
// read then are the real ones.
class FrameCentring : public QObject
{
public:
    explicit FrameCentring(QWidget &window) : QObject(&window), window(window) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && window.windowHandle()->isExposed()) {
            const QMargins frame = window.windowHandle()->frameMargins();
            if (!frame.isNull())
                placeClient(window, frame);
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    QWidget &window;
};

}  // namespace

void showCentred(QWidget &window)
{
    placeClient(window, QMargins());
    window.show();
    window.windowHandle()->installEventFilter(new FrameCentring(window));
}
