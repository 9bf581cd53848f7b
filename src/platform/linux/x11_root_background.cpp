// The root window's background on X11, for sessions whose desktop draws no
// wallpaper of its own. The picture is kept by the X server after the program
// ends and announced the way other background setters do (_XROOTPMAP_ID and
// ESETROOT_PMAP_ID), so terminals and compositors that show the background
// find it, and the next setter frees it.
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "platform/linux/desktop_wallpaper.h"
#include "platform/linux/x11_display.h"
#include "platform/log.h"
#include "platform/wallpaper_picture.h"

// Xlib's macros (None, Status, Bool) clash with Qt's names: its headers come last.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

enum class Fit { Centre, Tile, Stretch, Inside, Fill, Span };

Fit FitOf(const WallpaperValues &v)
{
    if (v.style == "2")
        return Fit::Stretch;
    if (v.style == "6")
        return Fit::Inside;
    if (v.style == "10")
        return Fit::Fill;
    if (v.style == "22")
        return Fit::Span;
    return v.tile == "1" ? Fit::Tile : Fit::Centre;
}

void Place(QPainter &p, const QImage &picture, const QRect &area, Fit fit)
{
    p.save();
    p.setClipRect(area);
    QSize size = picture.size();
    switch (fit) {
    case Fit::Tile:
        for (int y = area.top(); y <= area.bottom(); y += picture.height())
            for (int x = area.left(); x <= area.right(); x += picture.width())
                p.drawImage(x, y, picture);
        break;
    case Fit::Stretch:
    case Fit::Span:
        p.drawImage(area, picture);
        break;
    case Fit::Inside:
    case Fit::Fill:
        size.scale(area.size(), fit == Fit::Inside ? Qt::KeepAspectRatio : Qt::KeepAspectRatioByExpanding);
        [[fallthrough]];
    case Fit::Centre: {
        const QRect target(area.left() + (area.width() - size.width()) / 2,
                           area.top() + (area.height() - size.height()) / 2, size.width(), size.height());
        p.drawImage(target, picture);
        break;
    }
    }
    p.restore();
}

// X errors of this connection (a stale picture of an earlier setter) are
// not fatal: they are ignored while the background is set.
int IgnoreXError(Display *, XErrorEvent *)
{
    return 0;
}

// Frees the picture a previous setter left with the server, when the two
// announcing properties agree that it is such a picture.
void FreePreviousPicture(Display *dpy, Window root)
{
    auto read = [&](const char *name) -> Pixmap {
        const Atom atom = XInternAtom(dpy, name, True);
        if (atom == None)
            return None;
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char *data = nullptr;
        Pixmap value = None;
        if (XGetWindowProperty(dpy, root, atom, 0, 1, False, XA_PIXMAP, &type, &format, &count,
                               &after, &data) == Success
            && type == XA_PIXMAP && format == 32 && count == 1)
            value = *reinterpret_cast<Pixmap *>(data);
        if (data)
            XFree(data);
        return value;
    };
    const Pixmap root_pmap = read("_XROOTPMAP_ID");
    const Pixmap esetroot = read("ESETROOT_PMAP_ID");
    if (root_pmap != None && root_pmap == esetroot)
        XKillClient(dpy, esetroot);
}

void Announce(Display *dpy, Window root, Pixmap pixmap)
{
    for (const char *name : {"_XROOTPMAP_ID", "ESETROOT_PMAP_ID"}) {
        const Atom atom = XInternAtom(dpy, name, False);
        if (pixmap == None)
            XDeleteProperty(dpy, root, atom);
        else
            XChangeProperty(dpy, root, atom, XA_PIXMAP, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char *>(&pixmap), 1);
    }
}

// The image in the layout of the screen's default visual; null when the
// visual is of a kind not handled (only true-colour 24/32 and 16 bits are).
QImage ForVisual(Display *dpy, int screen, const QImage &image, int &bitmapPad)
{
    Visual *visual = DefaultVisual(dpy, screen);
    const int depth = DefaultDepth(dpy, screen);
    if ((depth == 24 || depth == 32) && visual->red_mask == 0xff0000 && visual->green_mask == 0xff00
        && visual->blue_mask == 0xff) {
        bitmapPad = 32;
        return image.convertToFormat(QImage::Format_RGB32);
    }
    if (depth == 16 && visual->red_mask == 0xf800 && visual->green_mask == 0x07e0
        && visual->blue_mask == 0x1f) {
        bitmapPad = 16;
        return image.convertToFormat(QImage::Format_RGB16);
    }
    return {};
}

} // namespace

QImage ComposeRootPicture(const QImage &picture, QSize screen, const QList<QRect> &monitors,
                          const WallpaperValues &values)
{
    QImage out(screen, QImage::Format_RGB32);
    out.fill(Qt::black);
    if (picture.isNull())
        return out;
    QPainter p(&out);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const Fit fit = FitOf(values);
    const QList<QRect> areas = monitors.isEmpty() || fit == Fit::Span
                                 ? QList<QRect>{QRect(QPoint(0, 0), screen)}
                                 : monitors;
    for (const QRect &area : areas)
        Place(p, picture, area, fit);
    return out;
}

bool PaintRootBackground(const WallpaperValues &values)
{
    Display *app = ApplicationDisplay();
    if (!app) {
        qCWarning(lcDesktop) << "the wallpaper is not painted: the program runs on no X display";
        return false;
    }
    // A connection of its own, whose picture the server keeps when it closes.
    Display *dpy = XOpenDisplay(DisplayString(app));
    if (!dpy) {
        qCWarning(lcDesktop) << "the wallpaper is not painted: display" << DisplayString(app)
                             << "did not accept a second connection";
        return false;
    }
    const int scr = DefaultScreen(dpy);
    const Window root = RootWindow(dpy, scr);
    const QSize size(DisplayWidth(dpy, scr), DisplayHeight(dpy, scr));
    QImage picture;
    if (!values.file.isEmpty()) {
        const Fit fit = FitOf(values);
        picture = ReadWallpaperPicture(values.file, size, fit != Fit::Centre && fit != Fit::Tile);
        if (picture.isNull()) {
            qCWarning(lcDesktop).noquote() << "the wallpaper" << values.file << "could not be read";
            XCloseDisplay(dpy);
            return false;
        }
    }

    auto previousHandler = XSetErrorHandler(IgnoreXError);
    XGrabServer(dpy);
    FreePreviousPicture(dpy, root);
    bool ok = true;
    Pixmap pixmap = None;
    if (picture.isNull()) {
        Announce(dpy, root, None);
        XSetWindowBackground(dpy, root, BlackPixel(dpy, scr));
    } else {
        QList<QRect> monitors;
        for (QScreen *s : QGuiApplication::screens())
            monitors << QRect(s->geometry().topLeft() * s->devicePixelRatio(),
                              s->geometry().size() * s->devicePixelRatio());
        int pad = 32;
        QImage image = ForVisual(dpy, scr, ComposeRootPicture(picture, size, monitors, values), pad);
        ok = !image.isNull();
        if (!ok)
            qCWarning(lcDesktop) << "the wallpaper is not painted: the screen's colour depth"
                                 << DefaultDepth(dpy, scr) << "is not handled";
        if (ok) {
            const int depth = DefaultDepth(dpy, scr);
            pixmap = XCreatePixmap(dpy, root, size.width(), size.height(), depth);
            XImage *ximage = XCreateImage(dpy, DefaultVisual(dpy, scr), depth, ZPixmap, 0,
                                          reinterpret_cast<char *>(image.bits()), size.width(),
                                          size.height(), pad, int(image.bytesPerLine()));
            GC gc = XCreateGC(dpy, pixmap, 0, nullptr);
            XPutImage(dpy, pixmap, gc, ximage, 0, 0, 0, 0, size.width(), size.height());
            XFreeGC(dpy, gc);
            ximage->data = nullptr;   // the pixels belong to image
            XDestroyImage(ximage);
            Announce(dpy, root, pixmap);
            XSetWindowBackgroundPixmap(dpy, root, pixmap);
        }
    }
    XClearWindow(dpy, root);
    XUngrabServer(dpy);
    // The server keeps the picture after this connection closes, until the
    // next setter frees it; without a picture there is nothing to keep, and a
    // kept connection would hold one of the server's client slots for good.
    if (pixmap != None)
        XSetCloseDownMode(dpy, RetainPermanent);
    XSync(dpy, False);
    XSetErrorHandler(previousHandler);
    XCloseDisplay(dpy);
    return ok;
}
