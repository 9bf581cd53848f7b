// The root window's background on X11, for sessions whose desktop draws no
// wallpaper of its own. The picture is kept by the X server after the program
// ends and announced the way other background setters do (_XROOTPMAP_ID and
// ESETROOT_PMAP_ID), so terminals and compositors that show the background
// find it, and the next setter frees it. A mark of the clock's own beside
// them tells a later start whether the root still shows the clock's picture.
#include <optional>
#include <QGuiApplication>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QSysInfo>

#include "platform/linux/desktop_wallpaper.h"
#include "platform/linux/x11_display.h"
#include "platform/log.h"
#include "platform/wallpaper_picture.h"

// Xlib's macros (None, Status, Bool) clash with Qt's names: its headers come last.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>

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

// The pixmap a background setter announced in property name; None when none.
Pixmap AnnouncedPixmap(Display *dpy, Window root, const char *name)
{
    const Atom atom = XInternAtom(dpy, name, True);
    if (atom == None)
        return None;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    Pixmap value = None;
    if (XGetWindowProperty(dpy, root, atom, 0, 1, False, XA_PIXMAP, &type, &format, &count, &after,
                           &data) == Success
        && type == XA_PIXMAP && format == 32 && count == 1)
        value = *reinterpret_cast<Pixmap *>(data);
    if (data)
        XFree(data);
    return value;
}

// Frees the picture a previous setter left with the server, when the two
// announcing properties agree that it is such a picture.
void FreePreviousPicture(Display *dpy, Window root)
{
    const Pixmap root_pmap = AnnouncedPixmap(dpy, root, "_XROOTPMAP_ID");
    const Pixmap esetroot = AnnouncedPixmap(dpy, root, "ESETROOT_PMAP_ID");
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

// The mark: the pixmap the clock made its picture in and a checksum of the
// picture's pixels. Another setter announces a pixmap of its own, and may get
// the clock's freed pixmap id for it; xsetroot and its kind announce nothing
// and only change what the root shows.
constexpr char kMarkName[] = "_TOCKARA_ROOT_PICTURE";

struct Mark {
    Pixmap pixmap = None;
    quint32 checksum = 0;
};

constexpr quint32 kFnvBasis = 2166136261u;
constexpr quint32 kFnvPrime = 16777619u;

// The bits of a pixel value that carry colour on the screen's visual (a
// 24-bit screen keeps 32 bits a pixel, the top byte unused).
quint32 ColourBits(Display *dpy, int screen)
{
    const Visual *visual = DefaultVisual(dpy, screen);
    return quint32(visual->red_mask | visual->green_mask | visual->blue_mask);
}

// The checksum of an image made by ForVisual, as PixmapChecksum finds it in
// the server's copy.
quint32 ImageChecksum(const QImage &image, quint32 colourBits)
{
    quint32 sum = kFnvBasis;
    for (int y = 0; y < image.height(); ++y) {
        const uchar *line = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const quint32 pixel = image.depth() == 32 ? reinterpret_cast<const quint32 *>(line)[x]
                                                      : reinterpret_cast<const quint16 *>(line)[x];
            sum = (sum ^ (pixel & colourBits)) * kFnvPrime;
        }
    }
    return sum;
}

quint32 PixmapChecksum(XImage *image, quint32 colourBits)
{
    // The pixels in this machine's own layout are read straight from
    // memory; XGetPixel takes several times as long a pixel.
    const bool native = image->byte_order == (QSysInfo::ByteOrder == QSysInfo::LittleEndian ? LSBFirst : MSBFirst);
    quint32 sum = kFnvBasis;
    for (int y = 0; y < image->height; ++y) {
        const char *line = image->data + qsizetype(y) * image->bytes_per_line;
        for (int x = 0; x < image->width; ++x) {
            const quint32 pixel = native && image->bits_per_pixel == 32 ? reinterpret_cast<const quint32 *>(line)[x]
                                : native && image->bits_per_pixel == 16 ? reinterpret_cast<const quint16 *>(line)[x]
                                                                        : quint32(XGetPixel(image, x, y));
            sum = (sum ^ (pixel & colourBits)) * kFnvPrime;
        }
    }
    return sum;
}

std::optional<Mark> ReadMark(Display *dpy, Window root)
{
    const Atom atom = XInternAtom(dpy, kMarkName, True);
    if (atom == None)
        return std::nullopt;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    std::optional<Mark> mark;
    if (XGetWindowProperty(dpy, root, atom, 0, 2, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) == Success
        && type == XA_CARDINAL && format == 32 && count == 2) {
        const auto *values = reinterpret_cast<const unsigned long *>(data);
        mark = Mark{Pixmap(values[0]), quint32(values[1])};
    }
    if (data)
        XFree(data);
    return mark;
}

void WriteMark(Display *dpy, Window root, const std::optional<Mark> &mark)
{
    const Atom atom = XInternAtom(dpy, kMarkName, False);
    if (!mark) {
        XDeleteProperty(dpy, root, atom);
        return;
    }
    const unsigned long values[2] = {mark->pixmap, mark->checksum};
    XChangeProperty(dpy, root, atom, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(values), 2);
}

// The root window's part that no window covers.
QRegion UncoveredRoot(Display *dpy, Window root, QSize size)
{
    QRegion open(QRect(QPoint(0, 0), size));
    Window rootReturn = None, parent = None;
    Window *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(dpy, root, &rootReturn, &parent, &children, &count))
        return open;
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes a;
        if (XGetWindowAttributes(dpy, children[i], &a) && a.map_state == IsViewable && a.c_class == InputOutput)
            open -= QRect(a.x, a.y, a.width + 2 * a.border_width, a.height + 2 * a.border_width);
    }
    if (children)
        XFree(children);
    return open;
}

// Whether the uncovered root shows picture, tiled from the root's corner as
// the server draws a background: nine in ten of a grid of pixels alike (a
// compositor's shadows fall on some). True when every pixel is covered.
bool RootShows(Display *dpy, Window root, XImage *picture, quint32 colourBits)
{
    Window rootReturn = None;
    int x0 = 0, y0 = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    if (!XGetGeometry(dpy, root, &rootReturn, &x0, &y0, &width, &height, &border, &depth))
        return false;
    const QRegion open = UncoveredRoot(dpy, root, QSize(int(width), int(height)));
    if (open.isEmpty())
        return true;
    XImage *shown = XGetImage(dpy, root, 0, 0, width, height, AllPlanes, ZPixmap);
    if (!shown)
        return false;
    constexpr int kStep = 8;
    qint64 samples = 0, alike = 0;
    for (const QRect &r : open) {
        for (int y = r.top(); y <= r.bottom(); y += kStep) {
            for (int x = r.left(); x <= r.right(); x += kStep) {
                ++samples;
                alike += (quint32(XGetPixel(shown, x, y)) & colourBits)
                      == (quint32(XGetPixel(picture, x % picture->width, y % picture->height)) & colourBits);
            }
        }
    }
    XDestroyImage(shown);
    return alike * 10 >= samples * 9;
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

// The monitors in root-window pixels as the server has them now: the
// toolkit's list lags behind a mode change the clock has just made. The
// toolkit's list on a server without RandR 1.5.
QList<QRect> RootMonitors(Display *dpy, Window root)
{
    QList<QRect> monitors;
    int event = 0, error = 0, major = 0, minor = 0;
    if (XRRQueryExtension(dpy, &event, &error) && XRRQueryVersion(dpy, &major, &minor)
        && (major > 1 || minor >= 5)) {
        int count = 0;
        if (XRRMonitorInfo *info = XRRGetMonitors(dpy, root, True, &count)) {
            for (int i = 0; i < count; ++i)
                monitors << QRect(info[i].x, info[i].y, info[i].width, info[i].height);
            XRRFreeMonitors(info);
        }
    }
    if (monitors.isEmpty()) {
        for (QScreen *s : QGuiApplication::screens())
            monitors << QRect(s->geometry().topLeft() * s->devicePixelRatio(),
                              s->geometry().size() * s->devicePixelRatio());
    }
    return monitors;
}

// A connection of its own to the program's display; null, logged with what,
// when there is none.
Display *OpenOwnConnection(const char *what)
{
    Display *app = ApplicationDisplay();
    if (!app) {
        qCWarning(lcDesktop) << what << "the program runs on no X display";
        return nullptr;
    }
    Display *dpy = XOpenDisplay(DisplayString(app));
    if (!dpy)
        qCWarning(lcDesktop) << what << "display" << DisplayString(app) << "did not accept a second connection";
    return dpy;
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
    // A connection of its own, whose picture the server keeps when it closes.
    Display *dpy = OpenOwnConnection("the wallpaper is not painted:");
    if (!dpy)
        return false;
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
        WriteMark(dpy, root, std::nullopt);
        XSetWindowBackground(dpy, root, BlackPixel(dpy, scr));
    } else {
        int pad = 32;
        QImage image =
            ForVisual(dpy, scr, ComposeRootPicture(picture, size, RootMonitors(dpy, root), values), pad);
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
            WriteMark(dpy, root, Mark{pixmap, ImageChecksum(image, ColourBits(dpy, scr))});
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

RootBackground RootBackgroundState()
{
    Display *dpy = OpenOwnConnection("the root window's background is not known:");
    if (!dpy)
        return RootBackground::Unset;
    const int scr = DefaultScreen(dpy);
    const Window root = RootWindow(dpy, scr);
    // A pixmap freed meanwhile is an X error: not fatal here.
    auto previousHandler = XSetErrorHandler(IgnoreXError);
    const std::optional<Mark> mark = ReadMark(dpy, root);
    const Pixmap announced = AnnouncedPixmap(dpy, root, "_XROOTPMAP_ID");
    const char *why = nullptr;
    RootBackground state = RootBackground::Own;
    if (!mark) {
        state = announced == None && AnnouncedPixmap(dpy, root, "ESETROOT_PMAP_ID") == None
                  ? RootBackground::Unset
                  : RootBackground::Other;
        why = state == RootBackground::Unset ? "nothing set it" : "another program announced its picture";
    } else if (announced != mark->pixmap) {
        state = RootBackground::Other;
        why = "another program announced its picture";
    } else {
        Window rootReturn = None;
        int x = 0, y = 0;
        unsigned width = 0, height = 0, border = 0, depth = 0;
        XImage *picture = nullptr;
        if (XGetGeometry(dpy, mark->pixmap, &rootReturn, &x, &y, &width, &height, &border, &depth))
            picture = XGetImage(dpy, mark->pixmap, 0, 0, width, height, AllPlanes, ZPixmap);
        const quint32 colourBits = ColourBits(dpy, scr);
        if (!picture || PixmapChecksum(picture, colourBits) != mark->checksum) {
            state = RootBackground::Other;
            why = "the announced picture is not the clock's";
        } else if (!RootShows(dpy, root, picture, colourBits)) {
            state = RootBackground::Other;
            why = "another program has drawn on it";
        }
        if (picture)
            XDestroyImage(picture);
    }
    XSync(dpy, False);
    XSetErrorHandler(previousHandler);
    XCloseDisplay(dpy);
    if (why)
        qCDebug(lcDesktop) << "the root window's background:" << why;
    return state;
}
