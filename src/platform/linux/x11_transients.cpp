#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

#include "platform/linux/x11_window_requests.h"

namespace {

bool Bypasses(const QWindow &window)
{
    return window.flags().testFlag(Qt::X11BypassWindowManagerHint) || window.type() == Qt::Popup ||
           window.type() == Qt::ToolTip;
}

// A widget's window is shown after its show event: its transient parent is
// written to the X server then.
class TransientParents : public QObject {
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Show)
            return false;
        auto *widget = qobject_cast<QWidget *>(watched);
        QWindow *window = widget && widget->isWindow() ? widget->windowHandle() : nullptr;
        if (!window || Bypasses(*window) || !window->transientParent() || !Bypasses(*window->transientParent()))
            return false;
        if (WestonManagesX11Windows())
            window->setTransientParent(nullptr);
        return false;
    }
};

} // namespace

void KeepTransientsOffBypassingWindows()
{
    static TransientParents *filter = nullptr;
    if (filter || !qApp)
        return;
    filter = new TransientParents;
    filter->setParent(qApp);
    qApp->installEventFilter(filter);
}
