#include "platform/linux/x11_display.h"

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

xcb_connection_t *ApplicationConnection()
{
    auto *x11 = X11();
    return x11 ? x11->connection() : nullptr;
}
