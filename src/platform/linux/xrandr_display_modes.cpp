// Display modes through XRandR on the X display the program's windows use.
#include <algorithm>
#include <QGuiApplication>
#include <QRect>

#include "platform/display_modes.h"
#include "platform/linux/linux_services.h"
#include "platform/linux/x11_display.h"
#include "platform/log.h"

// Xlib's macros (None, Status, Bool) clash with Qt's names: its headers come last.
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

namespace {

bool HasRandr12(Display *dpy)
{
    int event = 0, error = 0, major = 0, minor = 0;
    return XRRQueryExtension(dpy, &event, &error) && XRRQueryVersion(dpy, &major, &minor)
        && (major > 1 || (major == 1 && minor >= 2));
}

const XRRModeInfo *FindMode(const XRRScreenResources *res, RRMode id)
{
    for (int i = 0; i < res->nmode; ++i) {
        if (res->modes[i].id == id)
            return &res->modes[i];
    }
    return nullptr;
}

bool Sideways(Rotation rotation)
{
    return rotation & (RR_Rotate_90 | RR_Rotate_270);
}

// Owns what XRandR hands out for one query.
struct Resources {
    explicit Resources(Display *dpy) : dpy(dpy)
    {
        res = XRRGetScreenResourcesCurrent(dpy, DefaultRootWindow(dpy));
    }
    ~Resources()
    {
        if (res)
            XRRFreeScreenResources(res);
    }
    Resources(const Resources &) = delete;
    Resources &operator=(const Resources &) = delete;

    Display *dpy;
    XRRScreenResources *res = nullptr;
};

struct CrtcInfo {
    CrtcInfo(Display *dpy, XRRScreenResources *res, RRCrtc crtc)
        : info(XRRGetCrtcInfo(dpy, res, crtc))
    {
    }
    ~CrtcInfo()
    {
        if (info)
            XRRFreeCrtcInfo(info);
    }
    CrtcInfo(const CrtcInfo &) = delete;
    CrtcInfo &operator=(const CrtcInfo &) = delete;
    XRRCrtcInfo *info;
};

struct OutputInfo {
    OutputInfo(Display *dpy, XRRScreenResources *res, RROutput output)
        : info(XRRGetOutputInfo(dpy, res, output))
    {
    }
    ~OutputInfo()
    {
        if (info)
            XRRFreeOutputInfo(info);
    }
    OutputInfo(const OutputInfo &) = delete;
    OutputInfo &operator=(const OutputInfo &) = delete;
    XRROutputInfo *info;
};

// The screen's size and pixel density as the server has them now. Xlib's
// DisplayWidth and DisplayHeight keep the values the connection was opened
// with, which no longer hold once a mode has been set: the size is asked of
// the server each time. The density is the one the connection was opened
// with, which every change made here keeps.
struct ScreenSize {
    QSize pixels;
    double mmPerPixelX = 25.4 / 96;
    double mmPerPixelY = 25.4 / 96;
};

ScreenSize CurrentScreenSize(Display *dpy)
{
    ScreenSize size;
    Window root = None;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    if (XGetGeometry(dpy, DefaultRootWindow(dpy), &root, &x, &y, &width, &height, &border, &depth))
        size.pixels = QSize(int(width), int(height));
    const int scr = DefaultScreen(dpy);
    const int pxW = DisplayWidth(dpy, scr), pxH = DisplayHeight(dpy, scr);
    const int mmW = DisplayWidthMM(dpy, scr), mmH = DisplayHeightMM(dpy, scr);
    if (pxW > 0 && mmW > 0)
        size.mmPerPixelX = double(mmW) / pxW;
    if (pxH > 0 && mmH > 0)
        size.mmPerPixelY = double(mmH) / pxH;
    return size;
}

bool CrtcActive(const XRRCrtcInfo *info)
{
    return info && info->mode != None && info->noutput > 0;
}

// The output that shows point at; else the primary output; else the first
// output that shows anything.
RROutput OutputAt(Display *dpy, XRRScreenResources *res, QPoint at)
{
    RROutput first = None;
    for (int i = 0; i < res->ncrtc; ++i) {
        CrtcInfo crtc(dpy, res, res->crtcs[i]);
        if (!CrtcActive(crtc.info))
            continue;
        const QRect rect(crtc.info->x, crtc.info->y, int(crtc.info->width), int(crtc.info->height));
        if (rect.contains(at))
            return crtc.info->outputs[0];
        if (first == None)
            first = crtc.info->outputs[0];
    }
    const RROutput primary = XRRGetOutputPrimary(dpy, DefaultRootWindow(dpy));
    return primary != None ? primary : first;
}

int g_xError = 0;
int RecordXError(Display *, XErrorEvent *event)
{
    g_xError = event->error_code;
    return 0;
}

// Records the X errors of the requests made while it lives (a monitor that
// went away between listing and choosing) instead of letting them end the
// program.
class XErrorTrap {
public:
    explicit XErrorTrap(Display *dpy) : dpy_(dpy)
    {
        XSync(dpy_, False);
        g_xError = 0;
        previous_ = XSetErrorHandler(RecordXError);
    }
    ~XErrorTrap()
    {
        XSync(dpy_, False);
        XSetErrorHandler(previous_);
    }
    XErrorTrap(const XErrorTrap &) = delete;
    XErrorTrap &operator=(const XErrorTrap &) = delete;
    bool failed()
    {
        XSync(dpy_, False);
        return g_xError != 0;
    }

private:
    Display *dpy_;
    int (*previous_)(Display *, XErrorEvent *) = nullptr;
};

// The program's X display when its server can change display modes; null,
// logged at level (a list asked for on every menu is only a debug message).
Display *RandrDisplay(QtMsgType level)
{
    Display *dpy = ApplicationDisplay();
    const char *missing = !dpy ? "the program runs on no X display"
                        : !HasRandr12(dpy) ? "the X server lacks XRandR 1.2"
                                           : nullptr;
    if (!missing)
        return dpy;
    if (level == QtWarningMsg)
        qCWarning(lcDesktop) << "display modes cannot be changed:" << missing;
    else
        qCDebug(lcDesktop) << "display modes cannot be listed:" << missing;
    return nullptr;
}

class XRandrDisplayModes : public DisplayModeService {
public:
    QList<DisplayMode> modes(QPoint at) override
    {
        Display *dpy = RandrDisplay(QtDebugMsg);
        if (!dpy)
            return {};
        XErrorTrap trap(dpy);
        Resources r(dpy);
        if (!r.res)
            return {};
        const RROutput output = OutputAt(dpy, r.res, at);
        if (output == None)
            return {};
        OutputInfo info(dpy, r.res, output);
        if (!info.info)
            return {};
        RRMode current = None;
        if (info.info->crtc != None) {
            CrtcInfo crtc(dpy, r.res, info.info->crtc);
            if (crtc.info)
                current = crtc.info->mode;
        }
        const int depth = DefaultDepth(dpy, DefaultScreen(dpy));
        // A size is listed once (refresh rates are not shown): by the mode in
        // use when it is that size, else by the output's first mode of it.
        QList<DisplayMode> list;
        for (int i = 0; i < info.info->nmode; ++i) {
            const XRRModeInfo *mode = FindMode(r.res, info.info->modes[i]);
            if (!mode)
                continue;
            const int w = int(mode->width), h = int(mode->height);
            auto same = std::find_if(list.begin(), list.end(), [&](const DisplayMode &m) {
                return m.width == w && m.height == h;
            });
            if (same == list.end())
                list.append({w, h, depth, mode->id, output, mode->id == current});
            else if (mode->id == current)
                same->id = mode->id, same->current = true;
        }
        return list;
    }

    int testMode(const DisplayMode &mode) override
    {
        Display *dpy = RandrDisplay(QtWarningMsg);
        if (!dpy)
            return DisplayChangeFailed;
        XErrorTrap trap(dpy);
        Resources r(dpy);
        Plan plan;
        const int tested = r.res ? makePlan(dpy, r.res, mode, plan) : DisplayChangeFailed;
        return trap.failed() ? DisplayChangeFailed : tested;
    }

    int setMode(const DisplayMode &mode, bool) override
    {
        Display *dpy = RandrDisplay(QtWarningMsg);
        if (!dpy)
            return DisplayChangeFailed;
        XErrorTrap trap(dpy);
        Resources r(dpy);
        if (!r.res) {
            qCWarning(lcDesktop) << "XRandR listed no screen resources";
            return DisplayChangeFailed;
        }
        Plan plan;
        int result = makePlan(dpy, r.res, mode, plan);
        if (result == DisplayChangeDone)
            result = apply(dpy, r.res, mode, plan);
        if (result != DisplayChangeDone) {
            const QString why = result == DisplayChangeBadMode ? QStringLiteral("the monitor does not offer it")
                              : g_xError ? QStringLiteral("X error %1").arg(g_xError)
                                         : QStringLiteral("the server refused it");
            qCWarning(lcDesktop).noquote()
                << QStringLiteral("XRandR did not set %1x%2: %3").arg(mode.width).arg(mode.height).arg(why);
        }
        return result;
    }

private:
    // What setting a mode changes: the monitor's CRTC and the screen's size.
    struct Plan {
        RRCrtc crtc = None;
        QSize screen;
        QSize screenMm;
    };

    static int makePlan(Display *dpy, XRRScreenResources *res, const DisplayMode &mode, Plan &plan)
    {
        OutputInfo output(dpy, res, RROutput(mode.output));
        if (!output.info || output.info->crtc == None)
            return DisplayChangeFailed;
        const bool offered = std::find(output.info->modes, output.info->modes + output.info->nmode,
                                       RRMode(mode.id))
                          != output.info->modes + output.info->nmode;
        const XRRModeInfo *info = FindMode(res, RRMode(mode.id));
        if (!offered || !info)
            return DisplayChangeBadMode;
        plan.crtc = output.info->crtc;
        // The screen must hold every monitor, this one at its new size.
        int right = 0, bottom = 0;
        for (int i = 0; i < res->ncrtc; ++i) {
            CrtcInfo crtc(dpy, res, res->crtcs[i]);
            if (!crtc.info || (!CrtcActive(crtc.info) && res->crtcs[i] != plan.crtc))
                continue;
            int w = int(crtc.info->width), h = int(crtc.info->height);
            if (res->crtcs[i] == plan.crtc) {
                w = int(info->width);
                h = int(info->height);
                if (Sideways(crtc.info->rotation))
                    std::swap(w, h);
            }
            right = std::max(right, crtc.info->x + w);
            bottom = std::max(bottom, crtc.info->y + h);
        }
        int minW = 0, minH = 0, maxW = 0, maxH = 0;
        XRRGetScreenSizeRange(dpy, DefaultRootWindow(dpy), &minW, &minH, &maxW, &maxH);
        if (right > maxW || bottom > maxH)
            return DisplayChangeBadMode;
        plan.screen = QSize(std::max(right, minW), std::max(bottom, minH));
        // Keep the screen's pixel density.
        const ScreenSize now = CurrentScreenSize(dpy);
        plan.screenMm = QSize(int(plan.screen.width() * now.mmPerPixelX + 0.5),
                              int(plan.screen.height() * now.mmPerPixelY + 0.5));
        return DisplayChangeDone;
    }

    static int apply(Display *dpy, XRRScreenResources *res, const DisplayMode &mode, const Plan &plan)
    {
        CrtcInfo crtc(dpy, res, plan.crtc);
        if (!crtc.info)
            return DisplayChangeFailed;
        const Window root = DefaultRootWindow(dpy);

        XGrabServer(dpy);
        const QSize now = CurrentScreenSize(dpy).pixels;
        const QSize grown = now.expandedTo(plan.screen);
        // Grow the screen before the monitor needs the room, shrink it after.
        if (grown != now)
            XRRSetScreenSize(dpy, root, grown.width(), grown.height(), plan.screenMm.width(),
                             plan.screenMm.height());
        const Status status =
            XRRSetCrtcConfig(dpy, res, plan.crtc, CurrentTime, crtc.info->x, crtc.info->y,
                             RRMode(mode.id), crtc.info->rotation, crtc.info->outputs,
                             crtc.info->noutput);
        if (status == RRSetConfigSuccess && plan.screen != grown)
            XRRSetScreenSize(dpy, root, plan.screen.width(), plan.screen.height(),
                             plan.screenMm.width(), plan.screenMm.height());
        XSync(dpy, False);
        XUngrabServer(dpy);
        XFlush(dpy);
        return status == RRSetConfigSuccess && g_xError == 0 ? DisplayChangeDone : DisplayChangeFailed;
    }
};

} // namespace

std::unique_ptr<DisplayModeService> MakeXRandrDisplayModes()
{
    return std::make_unique<XRandrDisplayModes>();
}
