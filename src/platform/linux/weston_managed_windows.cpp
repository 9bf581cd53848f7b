#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "platform/linux/x11_window_requests.h"

namespace {

bool Bypasses(const QWindow &window)
{
    return window.flags().testFlag(Qt::X11BypassWindowManagerHint) || window.type() == Qt::Popup ||
           window.type() == Qt::ToolTip;
}

// Weston shows a window it manages only from the first frame XWayland hands
// it once the two have paired the window with its surface. A frame handed
// over before then (the window drew at once, Weston was busy) is dropped:
// the window stays off the screen and never gets the keyboard, until it
// draws again, which a tool window waiting for its user's keys never does.
// It is drawn again six times, from a tenth of a second to three seconds
// after it is shown, at doubling intervals: a late pairing still gets a
// frame after it.
void DrawAgainWhileWestonPairsIt(QWidget &widget)
{
    for (const int ms : {100, 200, 400, 800, 1600, 3200})
        QTimer::singleShot(ms, &widget, [shown = QPointer<QWidget>(&widget)] {
            if (shown && shown->isVisible())
                shown->update();
        });
}

// A widget's window is shown after its show event: its transient parent is
// written to the X server then.
class ManagedWindowsOnWeston : public QObject {
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Show)
            return false;
        auto *widget = qobject_cast<QWidget *>(watched);
        QWindow *window = widget && widget->isWindow() ? widget->windowHandle() : nullptr;
        if (!window || Bypasses(*window) || !WestonManagesX11Windows())
            return false;
        DrawAgainWhileWestonPairsIt(*widget);
        if (window->transientParent() && Bypasses(*window->transientParent()))
            window->setTransientParent(nullptr);
        return false;
    }
};

} // namespace

void FollowWestonsManagedWindows()
{
    static ManagedWindowsOnWeston *filter = nullptr;
    if (filter || !qApp)
        return;
    filter = new ManagedWindowsOnWeston;
    filter->setParent(qApp);
    qApp->installEventFilter(filter);
}
