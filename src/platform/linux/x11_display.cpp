#include "platform/linux/x11_display.h"

#include <QByteArray>
#include <QGuiApplication>

#include <X11/Xlib.h>

_XDisplay *ApplicationDisplay()
{
    if (!qGuiApp)
        return nullptr;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
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
