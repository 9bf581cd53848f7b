#include "shell/clock_window.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <QAccessible>
#include <QApplication>
#include <QBackingStore>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <QWindow>

#include "settings/display_patterns.h"
#include "context/context.h"
#include "face/digital_overlay.h"
#include "face/environment_loader.h"
#include "face/face_frame.h"
#include "face/ui/hover_window.h"
#include "menu/popup_anchor.h"
#include "platform/screen_geometry.h"
#include "shell/clock_placement.h"
#include "platform/sound_player.h"

namespace {

constexpr int kTickMs = 100;

} // namespace

ClockWindow::ClockWindow(Context &ctx) : ctx_(ctx), face_(ctx.settings()), frame_(face_, animation_)
{
    setObjectName("frmMain");
    setWindowTitle("Tockara");
    Qt::WindowFlags flags = Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool;
    // Where the window manager would hide the clock (on the other
    // workspaces, when the desktop is shown) or put it where it pleases, the
    // clock stands past the window manager: where it asks, on every
    // workspace, moved and kept above the other windows by itself.
    const DesktopSession session = ctx_.services.screen->session();
    placesItself_ = PlacesItsOwnWindow(session);
    showsEachMove_ = placesItself_ && IgnoresWindowShape(session);
    if (placesItself_)
        flags |= Qt::X11BypassWindowManagerHint;
    setWindowFlags(flags);
    // Such a window asks the compositor for no keyboard focus: the clock
    // takes no keys, and a click on it leaves the keyboard with the window
    // the user works in (a compositor gives an unmanaged window that asks
    // for focus the keyboard at each click). The tool flag already puts the
    // utility type in the window's type list, which wlroots compositors
    // never focus; Qt 6.4 drops the notification type asked for here, later
    // versions put it first.
    if (placesItself_)
        setAttribute(Qt::WA_X11NetWmWindowTypeNotification);
    setAttribute(Qt::WA_ShowWithoutActivating);
    // Where the compositor does not apply the window's shape to what it
    // draws, the window is clear outside the face's ellipse so that what lies
    // beneath shows at the corners; the shape still keeps the pointer. On X11
    // the shape does it all, and the paint code copies the whole face image:
    // nothing to erase first.
    translucent_ = IgnoresWindowShape(ctx_.services.screen->session());
    if (translucent_) {
        setAttribute(Qt::WA_TranslucentBackground);
    } else {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_NoSystemBackground);
    }
    // A screen reader finds the clock by its title and hears the time in its
    // description (DescribeTime).
    setAccessibleName(QStringLiteral("Tockara"));
    // Motion without a button held tells where the pointer is, for the hover
    // window, without asking the display server on every tick.
    setMouseTracking(true);
    setAcceptDrops(true);
    PlaceAtSavedPosition();
    ApplyOpacity();
    ApplyClickThrough();
    face_.SetDevicePixelRatio(devicePixelRatio());
    connect(&ctx_.store, &SettingsStore::changed, this, &ClockWindow::SettingsChanged);
    ctx_.services.screen->watchMonitorChanges([self = QPointer<ClockWindow>(this)] {
        if (self)
            self->MonitorsChanged();
    });

    TMC.setObjectName("TMC");
    TMC.setSingleShot(true);
    TMC.setTimerType(Qt::PreciseTimer);
    connect(&TMC, &QTimer::timeout, this, &ClockWindow::RunDueTicks);
    // The first tick 100 ms after the clock is made, the grid's start.
    grid_.start();
    ScheduleTicks(1);
}

// The ticks the timer stands for: the skipped ones only advance the figure's
// state (they would have drawn nothing new), the last one is a whole tick.
void ClockWindow::RunDueTicks()
{
    for (int skipped = 1; skipped < dueTicks_; ++skipped)
        animation_.Advance(face_);
    Tick();
    // A timer more than a tick late does not make up for the time lost (as
    // a plain 100 ms timer does not): the grid starts anew from now.
    const qint64 now = grid_.elapsed();
    lastTickAt_ = now - dueAt_ >= kTickMs ? now : dueAt_;
    ScheduleTicks(TicksUntilChange());
}

// Sets the timer for the tick `ticks` ticks after the last one.
void ClockWindow::ScheduleTicks(int ticks)
{
    dueTicks_ = std::max(1, ticks);
    dueAt_ = lastTickAt_ + qint64(dueTicks_) * kTickMs;
    TMC.start(int(std::max<qint64>(0, dueAt_ - grid_.elapsed())));
}

// Something to show at the next tick of the grid (a change of settings, the
// pointer coming near): a timer set for a later tick is brought forward.
void ClockWindow::TickSoon()
{
    if (exiting_)
        return;
    const int next = int((grid_.elapsed() - lastTickAt_) / kTickMs) + 1;
    if (next < dueTicks_)
        ScheduleTicks(next);
}

int ClockWindow::TicksUntilChange() const
{
    const bool pointerWatched = pointerPlace_ == PointerPlace::OverFace || pointerPlace_ == PointerPlace::NearCorner;
    if (pointerWatched || frame_.redrawPending())
        return 1;
    // The first tick after the next second of the clock: the hands, the
    // texts and the alarms change there.
    const qint64 ms = ctx_.services.clock->now().toMSecsSinceEpoch();
    const qint64 toNextSecond = 1000 - ((ms % 1000) + 1000) % 1000;
    const int toSecond = int((toNextSecond + kTickMs - 1) / kTickMs);
    return std::max(1, std::min(toSecond, animation_.TicksUntilChange()));
}

// What a saved change shows. An environment applies the face colour itself,
// which recomposes the background.
void ClockWindow::SettingsChanged(SettingsAspects aspects)
{
    // Hands, texts and colours are drawn anew at the next tick.
    frame_.Redraw();
    TickSoon();
    if (aspects & SettingsAspect::Size) {
        ApplyClockShape();
        ResetAnimation();
    }
    if (aspects & SettingsAspect::Overlay) {
        const auto &digital = ctx_.settings().Digital;
        ctx_.patterns = ReadDisplayPatterns(ctx_.programFolder, digital.DatePattern, digital.TimePattern);
    }
    if (aspects & SettingsAspect::Environment)
        LoadEnvironment();
    else if (aspects & SettingsAspect::FaceColor)
        ApplyBackColor();
    else if (aspects & (SettingsAspect::Background | SettingsAspect::Size))
        ComposeBackground();
    if (aspects & SettingsAspect::Opacity)
        ApplyOpacity();
    if (aspects & SettingsAspect::ClickThrough)
        ApplyClickThrough();
}

// On X11 the compositing manager applies the window's opacity
// (_NET_WM_WINDOW_OPACITY) to the opaque window and its shape. A clear
// window (Wayland sessions) is blended by the compositor with its own
// pixels: there the face is drawn with that opacity, which every Wayland
// compositor honours (sway reads no X11 opacity).
void ClockWindow::ApplyOpacity()
{
    const qreal opacity = qBound(kFaintestOpacity, int(ctx_.settings().Window.Opacity), kOpaque) / qreal(kOpaque);
    if (translucent_) {
        paintOpacity_ = opacity;
        update();
    } else {
        setWindowOpacity(opacity);
    }
}

void ClockWindow::ApplyClickThrough()
{
    const bool on = ctx_.settings().Window.ClickThrough != 0;
    clickThrough_ = on;
    if (on) {
        dragging_ = false;
        pointerPlace_ = PointerPlace::Away;
    }
    const Qt::WindowFlags flags = windowFlags().setFlag(Qt::WindowTransparentForInput, on);
    if (flags != windowFlags()) {
        // The window changes in place: setting the widget's flags would hide
        // and make its window anew, losing what was asked of the window
        // manager at its first show.
        overrideWindowFlags(flags);
        if (QWindow *window = windowHandle())
            window->setFlags(flags);
    }
    TickSoon();
}

void ClockWindow::PlaceAtSavedPosition()
{
    const ScreenInfo &screen = *ctx_.services.screen;
    const auto &setting = ctx_.settings().Setting;
    move(ClockStartPosition({.left = setting.Left,
                             .top = setting.Top,
                             .size = QSize(setting.Width, setting.Height),
                             .twipsPerPixelX = screen.twipsPerPixelX(),
                             .twipsPerPixelY = screen.twipsPerPixelY(),
                             .desktop = screen.desktopRect(),
                             .monitors = screen.monitorAreas()}));
}

// A monitor unplugged or made smaller under the clock: the clock is placed
// from its saved position as at start, so it comes wholly onto a remaining
// monitor and goes back to its place when the monitor returns; the saved
// position is left as it is. Once the screen's changes of the moment are
// all told; a drag in progress keeps the clock under the pointer.
void ClockWindow::MonitorsChanged()
{
    if (placementPending_)
        return;
    placementPending_ = true;
    QTimer::singleShot(0, this, [this] {
        placementPending_ = false;
        if (dragging_ || exiting_)
            return;
        PlaceAtSavedPosition();
        // The clock may now stand under a pointer that did not move.
        pointerMoved_ = true;
        TickSoon();
    });
}

void ClockWindow::ApplyClockShape()
{
    const int w = std::max<int>(1, ctx_.settings().Setting.Width);
    const int h = std::max<int>(1, ctx_.settings().Setting.Height);
    setFixedSize(w, h);
    setMask(QRegion(0, 0, w, h, QRegion::Ellipse));
    update();
}

void ClockWindow::ApplyBackColor()
{
    face_.ApplyBackColor();
    ShowRecomposedFace();
}

void ClockWindow::ComposeBackground()
{
    face_.ComposeBackground();
    ShowRecomposedFace();
}

void ClockWindow::LoadEnvironment()
{
    ::LoadEnvironment(ctx_.store, animation_, face_);
    ShowRecomposedFace();
}

// The face image now holds the bare background, and the screen shows it
// until the next tick; that tick must put its finished face on the screen
// even when it equals the face shown before.
void ClockWindow::ShowRecomposedFace()
{
    frame_.ShowWhole();
    update();
    TickSoon();
}

void ClockWindow::ResetAnimation()
{
    animation_.Reset(QSize(ctx_.settings().Setting.Width, ctx_.settings().Setting.Height));
    TickSoon();
}

void ClockWindow::InstallBuiltInPatternsIfNone()
{
    if (animation_.patternCount() <= 0) {
        animation_.InstallBuiltInPatterns();
        frame_.Redraw();
        TickSoon();
    }
}

// The face's next frame, then the part of it that changed put on the
// screen; the alarms that are due open their boxes once the tick is over.
void ClockWindow::Tick()
{
    const QDateTime now = ctx_.services.clock->now();
    // The text changes once a second; the nine other ticks reuse it.
    if (const qint64 second = now.toSecsSinceEpoch(); second != timeTextSecond_) {
        timeText_ = TimeTextFor(now);
        timeTextSecond_ = second;
        DescribeTime(now);
        // A screen of another scale (the clock dragged there, or the
        // desktop's scale changed): the face is drawn anew at its
        // resolution. Asked once a second: asking costs more than a tick.
        if (face_.SetDevicePixelRatio(devicePixelRatio()))
            ShowRecomposedFace();
    }
    // Only what differs from the face on the screen goes to the display: the
    // figure's few pixels, or the hands once a second. The changed rectangle
    // counts device pixels; the window counts logical ones.
    if (const QRect changed = frame_.Compose(timeText_, ctx_.settings(), ctx_.patterns); !changed.isEmpty())
        ShowChangedPart(changed);
    const QList<int> dueAlarms = alarmCheck_.dueSlots(ctx_.settings().Alarm, now);
    if (chime_.due(ctx_.settings().Chime, ctx_.settings().Alarm, now))
        QMetaObject::invokeMethod(this, [this] { PlayChime(); }, Qt::QueuedConnection);
    if (hover_) {
        // Clicks pass through the clock: nothing hovers over it either.
        const std::optional<QPoint> pointer = clickThrough_ ? std::nullopt : PointerNearClock();
        WatchPointerLeaving(pointer.has_value());
        hover_->follow(pos(), pointer);
    }
    // The boxes wait until the tick is over and then leave it alone: the
    // clock, its figure and the other alarms go on while a box stays open.
    if (!dueAlarms.isEmpty())
        QMetaObject::invokeMethod(this, [this, dueAlarms] { ShowAlarms(dueAlarms); }, Qt::QueuedConnection);
}

// Puts the part of the face that changed (device pixels) on the screen.
void ClockWindow::ShowChangedPart(const QRect &device)
{
    const QRect area = DeviceToWindow(device, face_.frame().devicePixelRatio());
    if (!CopyToBackingStore(area))
        repaint(area);
}

// The window shows the face's pixels one for one: a tick's changed rows are
// copied straight into the window's backing store and sent to the display
// server, without the toolkit's painting round them (the paint event, a
// painter set up on the window). A clear window (Wayland sessions) gets the
// face's pixels inside its ellipse only: the backing store clears what it
// begins to paint, so outside the ellipse the window stays clear, as
// paintEvent leaves it. False where that does not hold (a clear window
// painted with an opacity, a scaled screen, a window not on the screen yet):
// the caller paints the usual way. Expose and every other repaint still go
// through paintEvent, which draws the same pixels.
bool ClockWindow::CopyToBackingStore(const QRect &area)
{
    const QImage &frame = face_.frame();
    if ((translucent_ && paintOpacity_ != 1.0) || frame.devicePixelRatio() != 1
        || frame.format() != QImage::Format_RGB32)
        return false;
    QWindow *window = windowHandle();
    QBackingStore *store = backingStore();
    if (!window || !window->isExposed() || !store || !store->handle()
        || !QRect(QPoint(), store->size()).contains(area) || !frame.rect().contains(area))
        return false;
    const QRegion ellipse = translucent_ ? mask() : QRegion();
    if (translucent_ && ellipse.isEmpty())
        return false;
    store->beginPaint(area);
    auto *image = dynamic_cast<QImage *>(store->paintDevice());
    // A clear window needs the premultiplied store, whose bytes an opaque
    // RGB32 pixel has already.
    const bool copies = image && image->devicePixelRatio() == 1 && image->rect().contains(area)
                        && (image->format() == QImage::Format_ARGB32_Premultiplied
                            || (!translucent_ && image->format() == QImage::Format_RGB32));
    if (copies) {
        const QRegion shown = translucent_ ? ellipse.intersected(area) : QRegion(area);
        for (const QRect &part : shown) {
            const size_t bytes = size_t(part.width()) * sizeof(QRgb);
            for (int y = part.top(); y <= part.bottom(); ++y)
                std::memcpy(image->scanLine(y) + part.left() * sizeof(QRgb),
                            frame.constScanLine(y) + part.left() * sizeof(QRgb), bytes);
        }
    }
    store->endPaint();
    if (copies)
        store->flush(area, window);
    return copies;
}

// Alarms due at the same tick open one box at a time, in slot order: the
// first slot's box is the one on top and answered first, and answering it
// opens the next. An alarm with a sound file plays it, once, while its box
// is open; closing the box stops it. A file that cannot be played leaves
// just the box.
void ClockWindow::ShowAlarms(QList<int> due)
{
    if (exiting_ || due.isEmpty())
        return;
    const AlarmEntry &alarm = ctx_.settings().Alarm[due.takeFirst()];
    std::function<void()> stopSound;
    if (const QString sound = AlarmSoundPath(ctx_.programFolder, alarm.File); !sound.isEmpty()) {
        SoundPlayer &sounds = *ctx_.services.sounds;
        stopSound = [&sounds, id = sounds.start(sound)] { sounds.stop(id); };
    }
    auto closed = [stopSound = std::move(stopSound), self = QPointer<ClockWindow>(this), due] {
        if (stopSound)
            stopSound();
        if (self)
            self->ShowAlarms(due);
    };
    ctx_.services.messages->notify(this, alarm.Comment, QStringLiteral("Tockara"), MessageIcon::Information,
                                   std::move(closed));
}

// The chime plays once the tick is over, and the tick never waits for it.
void ClockWindow::PlayChime()
{
    if (exiting_)
        return;
    if (const QString sound = ChimeSoundPath(ctx_.programFolder, ctx_.settings().Chime.File); !sound.isEmpty())
        ctx_.services.sounds->start(sound);
}

void ClockWindow::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setOpacity(paintOpacity_);
    // Outside the face's ellipse a clear window stays clear.
    if (const QRegion ellipse = mask(); translucent_ && !ellipse.isEmpty())
        painter.setClipRegion(ellipse);
    const QRect area = event->rect();
    const QImage &frame = face_.frame();
    // The frame holds device pixels on a scaled screen: the part of it under
    // area, drawn into area.
    const qreal ratio = frame.devicePixelRatio();
    painter.drawImage(QRectF(area), frame,
                      QRectF(area.x() * ratio, area.y() * ratio, area.width() * ratio,
                             area.height() * ratio));
}

void ClockWindow::mousePressEvent(QMouseEvent *event)
{
    Press(event->button(), event->globalPosition().toPoint(), ctx_.services.screen->pointerPosition());
}

// A press on the face at `at` (screen pixels): the left button takes the
// clock along from there, the right one opens the menu for the pointer at
// `pointer`.
void ClockWindow::Press(Qt::MouseButton button, QPoint at, QPoint pointer)
{
    // Where the display server passes them on regardless, clicks do nothing.
    if (clickThrough_)
        return;
    if (button == Qt::LeftButton) {
        dragging_ = true;
        grabPoint_ = at - pos();
    } else if (button == Qt::RightButton) {
        dragging_ = false;
        OpenPopupMenu(pointer);
    }
    update();
}

void ClockWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (clickThrough_)
        return;
    pointer_ = event->globalPosition().toPoint();
    pointerPlace_ = PointerPlace::OverFace;
    TickSoon();
    if (!dragging_)
        return;
    move(event->globalPosition().toPoint() - grabPoint_);
    // A compositor that the window bypasses learns where it stands only when
    // the window next shows something new: until then it would send the
    // pointer as if the clock still stood where it was, and the pointer would
    // soon leave it. One pixel shown again tells it at once.
    if (showsEachMove_)
        repaint(QRect(rect().center(), QSize(1, 1)));
}

void ClockWindow::mouseReleaseEvent(QMouseEvent *)
{
    Release();
}

// The end of a press: a drag leaves the clock where it is and saves that.
void ClockWindow::Release()
{
    if (dragging_) {
        const ScreenInfo &screen = *ctx_.services.screen;
        const qint32 top = qint32(std::lround(y() * screen.twipsPerPixelY()));
        const qint32 left = qint32(std::lround(x() * screen.twipsPerPixelX()));
        ctx_.store.Update([&](Settings &settings) {
            settings.Setting.Top = top;
            settings.Setting.Left = left;
        });
    }
    dragging_ = false;
    update();
}

// A press on the face that the display server delivered somewhere else
// (XWayland, after the pointer came from a window of no X client): the
// clock heard only the pointer leave at that moment, though it is still
// over the face where the clock last saw it.
void ClockWindow::PressedElsewhere(Qt::MouseButton button, bool pressed)
{
    if (!pressed) {
        if (button == Qt::LeftButton)
            Release();
        return;
    }
    pointerPlace_ = PointerPlace::OverFace;
    Press(button, pointer_, pointer_);
}

void ClockWindow::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (clickThrough_)
        return;
    // The second press of a double click is still an ordinary press.
    mousePressEvent(event);
    if (event->button() == Qt::LeftButton && showFortune) {
        dragging_ = false;
        showFortune();
    }
}

void ClockWindow::enterEvent(QEnterEvent *event)
{
    if (clickThrough_)
        return;
    pointer_ = event->globalPosition().toPoint();
    pointerPlace_ = PointerPlace::OverFace;
    TickSoon();
}

void ClockWindow::leaveEvent(QEvent *)
{
    // On X11 the window ends at the face's ellipse: the pointer may still be
    // in a corner of the clock, where only asking the screen tells. On a
    // Wayland session the pointer may have left for a window that is no X
    // client, and XWayland goes on telling its last position over the clock:
    // there the hover ends as the pointer leaves the window.
    pointerPlace_ = IgnoresWindowShape(ctx_.services.screen->session()) ? PointerPlace::LeftWindow
                                                                         : PointerPlace::NearCorner;
}

// The pointer for the hover window: from the window's events while it is
// over the face; asked of the screen otherwise. The face's events do not
// tell of a pointer in the clock's rectangle off the ellipse: one that left
// the face for a corner, came in at a corner, or rested there when the clock
// started. Near a corner it is asked at every tick; away, only at the first
// tick after the screen told that it moved (the first tick of all looks).
std::optional<QPoint> ClockWindow::PointerNearClock()
{
    if (pointerPlace_ == PointerPlace::OverFace)
        return pointer_;
    if (pointerPlace_ == PointerPlace::LeftWindow)
        return std::nullopt;
    if (pointerPlace_ == PointerPlace::Away && movesTold_ && !pointerMoved_)
        return std::nullopt;
    ScreenInfo &screen = *ctx_.services.screen;
    pointer_ = screen.pointerPosition();
    if (!PointerOverClock(pointer_, geometry())) {
        pointerPlace_ = PointerPlace::Away;
        pointerMoved_ = false;
        movesTold_ = screen.tellPointerMoves([self = QPointer<ClockWindow>(this)] {
            if (self)
                self->pointerMoved_ = true;
        });
        return std::nullopt;
    }
    pointerPlace_ = PointerPlace::NearCorner;
    return pointer_;
}

ClockWindow::~ClockWindow()
{
    // The screen service outlives the window: no watch may call back into it.
    if (!watchedArea_.isEmpty())
        ctx_.services.screen->stopWatchingPointer();
}

// Where the window is not told that the pointer left it, the screen service
// watches for that while the pointer is near the clock, over the clock's
// place as it stands (after a drag, the new one). A drag carries the pointer
// out of the place first watched: a leave told then is not believed, and the
// place is watched anew once the clock is let go.
void ClockWindow::WatchPointerLeaving(bool pointerNear)
{
    ScreenInfo &screen = *ctx_.services.screen;
    if (!pointerNear) {
        if (!watchedArea_.isEmpty())
            screen.stopWatchingPointer();
        watchedArea_ = QRect();
        return;
    }
    if (dragging_ || watchedArea_ == geometry())
        return;
    const bool watched = screen.watchPointerLeaving(geometry(), [this] {
        watchedArea_ = QRect();
        if (dragging_)
            return;
        pointerPlace_ = PointerPlace::LeftWindow;
        TickSoon();
    });
    watchedArea_ = watched ? geometry() : QRect();
}

// The date and time as the hover window shows them, for a screen reader: told
// once a minute, and only while one listens, so that the clock without one
// does no more than before.
void ClockWindow::DescribeTime(const QDateTime &now)
{
    if (!QAccessible::isActive())
        return;
    const qint64 minute = now.toSecsSinceEpoch() / 60;
    if (minute == describedMinute_)
        return;
    describedMinute_ = minute;
    const QString shown = FormatTimeText(timeText_, ctx_.settings().Setting.TimeFormat);
    setAccessibleDescription(shown.isEmpty() ? timeText_ : shown);
}

QPoint ClockWindow::PopupAnchorPoint(QPoint pointer) const
{
    const ScreenInfo &screen = *ctx_.services.screen;
    const double tx = screen.twipsPerPixelX(), ty = screen.twipsPerPixelY();
    // The menu opens on the clock's monitor, whichever the pointer is on.
    const QRect monitor = screen.monitorRect(geometry().center());
    const QPoint anchor = PopupAnchor({.pointer = pointer,
                                       .clockLeft = qint32(std::lround(x() * tx)),
                                       .clockTop = qint32(std::lround(y() * ty)),
                                       .clockWidth = qint32(std::lround(width() * tx)),
                                       .clockHeight = qint32(std::lround(height() * ty)),
                                       .screenTop = qint32(std::lround(monitor.y() * ty)),
                                       .screenHeight = qint32(std::lround(monitor.height() * ty)),
                                       .twipsPerPixelX = tx,
                                       .twipsPerPixelY = ty});
    // The clock's right or bottom edge on the monitor's edge would open the
    // menu on the next monitor.
    return KeptInside(QRect(anchor, QSize(1, 1)), monitor);
}

void ClockWindow::OpenPopupMenu(QPoint pointer)
{
    if (showPopupMenu)
        showPopupMenu(PopupAnchorPoint(pointer));
}

// The clock's centre stands in for the pointer: the menu opens below the
// clock in the upper half of the screen and right of it in the lower half.
void ClockWindow::OpenPopupMenuFromKeyboard()
{
    dragging_ = false;
    if (showPopupMenu && !exiting_)
        showPopupMenu(PopupAnchorPoint(geometry().center()));
    update();
}

void ClockWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        OpenPopupMenuFromKeyboard();
        return;
    }
    // Return, Enter or Space do what the double click does: the fortune.
    const int key = event->key();
    const bool activate = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
    if (activate && (event->modifiers() & ~Qt::KeypadModifier) == 0 && !event->isAutoRepeat() && showFortune) {
        dragging_ = false;
        showFortune();
        return;
    }
    QWidget::keyPressEvent(event);
}

// The Menu key arrives as a context menu event; the right button is handled
// on its press already.
void ClockWindow::contextMenuEvent(QContextMenuEvent *event)
{
    if (event->reason() == QContextMenuEvent::Mouse) {
        event->ignore();
        return;
    }
    event->accept();
    OpenPopupMenuFromKeyboard();
}

void ClockWindow::ExitProgram()
{
    if (exiting_)
        return;
    exiting_ = true;
    TMC.stop();
    // No archive starts while the windows close (a question about taken
    // names answers as it closes), and the one under way stops.
    ctx_.archives.stop();
    // Every other open window of the program; closing a modal one ends its
    // event loop. A window's close handling may take another window with it.
    QList<QPointer<QWidget>> windows;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window != this && window->isVisible())
            windows.append(window);
    for (const QPointer<QWidget> &window : windows)
        if (window)
            window->close();
    close();
    // Ends every running event loop. Unlike quit(), no window that refuses
    // to close can keep the process alive.
    QCoreApplication::exit(0);
}

// Before the window is first mapped: window managers read their hints then.
void ClockWindow::showEvent(QShowEvent *event)
{
    if (QWindow *window = windowHandle(); window && !windowRequestsMade_) {
        windowRequestsMade_ = true;
        // A tool window is on no task bar, but not every window manager
        // reads the window type for that (fluxbox lists it).
        ctx_.services.screen->keepOffTaskbar(*window);
        // Past the window manager nothing keeps the clock above the windows
        // shown or raised after it (and the window on top gets the pointer
        // over the clock): it keeps itself there.
        if (placesItself_) {
            ctx_.services.screen->keepAboveOtherPrograms(*window);
            ctx_.services.screen->drawShownWindowAtOnce(*window);
        }
        // A window the window manager manages is shown on the workspace it
        // was mapped on only, unless it asks to be on all of them; and it is
        // kept out of "show desktop" by its type where the window manager
        // reads no other hint for that.
        else {
            ctx_.services.screen->keepOnEveryWorkspace(*window);
        }
        if (MarksItsWindowADock(ctx_.services.screen->session()))
            ctx_.services.screen->markAsDock(*window);
        ctx_.services.screen->tellMisplacedPresses(
            *window, [self = QPointer<ClockWindow>(this)](Qt::MouseButton button, bool pressed) {
                if (self)
                    self->PressedElsewhere(button, pressed);
            });
    }
    QWidget::showEvent(event);
}

void ClockWindow::closeEvent(QCloseEvent *event)
{
    // A close is never refused: it ends the program.
    event->accept();
    ExitProgram();
}

namespace {
const QString kFileList = QStringLiteral("text/uri-list");
}

void ClockWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (dropFiles && event->mimeData()->hasFormat(kFileList))
        event->acceptProposedAction();
}

void ClockWindow::dropEvent(QDropEvent *event)
{
    if (!dropFiles || !event->mimeData()->hasFormat(kFileList))
        return;
    event->acceptProposedAction();
    // Handled once the drop is over: its messages must not keep the program
    // the files came from waiting for the drop to end.
    QMetaObject::invokeMethod(
        this, [this, files = event->mimeData()->data(kFileList)] { dropFiles(files); },
        Qt::QueuedConnection);
}
