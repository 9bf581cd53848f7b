#include "platform/linux/x11_display.h"

#include <QGuiApplication>

#include <X11/Xlib.h>

_XDisplay *ApplicationDisplay()
{
    if (!qGuiApp)
        return nullptr;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
}
