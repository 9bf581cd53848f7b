#include "platform/linux/x11_display.h"

#include <QByteArray>
#include <QGuiApplication>

#include <X11/Xlib.h>

namespace {

QNativeInterface::QX11Application *X11()
{
    return qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
}

} // namespace

_XDisplay *ApplicationDisplay()
{
    auto *x11 = X11();
    return x11 ? x11->display() : nullptr;
}

bool CompositingManagerRuns()
{
    Display *display = ApplicationDisplay();
    if (!display)
        return false;
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(DefaultScreen(display));
    const Atom selection = XInternAtom(display, name.constData(), False);
    return XGetSelectionOwner(display, selection) != None;
}

xcb_connection_t *ApplicationConnection()
{
    auto *x11 = X11();
    return x11 ? x11->connection() : nullptr;
}
