#include "shell/clock_window.h"

#include <cmath>
#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegion>

#include "face/digital_overlay.h"
#include "face/environment_loader.h"
#include "face/hover_window.h"
#include "launcher/popup_anchor.h"

namespace {
constexpr int kTickMs = 100;
}

ClockWindow::ClockWindow(Context &ctx) : ctx_(ctx), face_(ctx.settings)
{
    setObjectName("frmMain");
    setWindowTitle("Tockara");
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool);
    setAttribute(Qt::WA_ShowWithoutActivating);
    // The paint code copies the whole face image: nothing to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAcceptDrops(false);
    ctx_.clock = this;
    PlaceAtSavedPosition();

    TMC.setObjectName("TMC");
    TMC.setInterval(kTickMs);
    connect(&TMC, &QTimer::timeout, this, &ClockWindow::Tick);
    TMC.start();
}

ClockWindow::~ClockWindow()
{
    // Menu commands and pages reach the clock through the context; a clock
    // that is gone must not be reached.
    if (ctx_.clock == this)
        ctx_.clock = nullptr;
}

// A saved position off the right or bottom edge (a smaller screen since) is
// pulled back so the clock touches that edge; one off the left or top is kept.
void ClockWindow::PlaceAtSavedPosition()
{
    const ScreenInfo &screen = *ctx_.services.screen;
    const double tx = screen.twipsPerPixelX(), ty = screen.twipsPerPixelY();
    const QRect desktop = screen.desktopRect();
    const double screenWidth = (desktop.x() + desktop.width()) * tx;
    const double screenHeight = (desktop.y() + desktop.height()) * ty;

    double top = ctx_.settings.Setting.Top;
    double left = ctx_.settings.Setting.Left;
    const double height = ctx_.settings.Setting.Height * ty;
    const double width = ctx_.settings.Setting.Width * tx;
    if (top + height > screenHeight)
        top = screenHeight - height;
    if (left + width > screenWidth)
        left = screenWidth - width;
    move(int(std::lround(left / tx)), int(std::lround(top / ty)));
}

void ClockWindow::ApplyClockShape()
{
    const int w = std::max<int>(1, ctx_.settings.Setting.Width);
    const int h = std::max<int>(1, ctx_.settings.Setting.Height);
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
    ::LoadEnvironment(ctx_, animation_, face_);
    ShowRecomposedFace();
}

// The face image now holds the bare background, and the screen shows it
// until the next tick; that tick must put its finished face on the screen
// even when it equals the face shown before.
void ClockWindow::ShowRecomposedFace()
{
    shownFrame_ = QImage();
    update();
}

void ClockWindow::ResetAnimation()
{
    animation_.Reset(QSize(ctx_.settings.Setting.Width, ctx_.settings.Setting.Height));
}

void ClockWindow::InstallBuiltInPatternsIfNone()
{
    if (animation_.patternCount() <= 0)
        animation_.InstallBuiltInPatterns();
}

// Everything that moves is redrawn into the face image, then shown in one
// step: background, scrolling and figure, hands, date and time texts.
void ClockWindow::Tick()
{
    const QDateTime now = ctx_.services.clock->now();
    const QString timeText = TimeTextFor(now);
    face_.DrawBackground();
    animation_.Tick(face_);
    face_.DrawHands(timeText);
    DrawDigitalOverlay(face_.frame(), ctx_.settings, ctx_.DatePatternFormat, ctx_.TimePatternFormat,
                       timeText);
    for (int slot : alarmCheck_.dueSlots(ctx_.settings.Alarm, now))
        pendingAlarms_.push_back(slot);
    // Most ticks change nothing on the face (the hands move once a second);
    // the screen is only updated when the image differs from the one shown.
    if (face_.frame() != shownFrame_) {
        shownFrame_ = face_.frame().copy();
        repaint();
    }
    if (hover_)
        hover_->follow(pos());
    ShowDueAlarms();
}

// Alarm boxes are shown one after another, in slot order. The box runs its
// own event loop, so the clock keeps ticking meanwhile; ticks during a box
// only queue further alarms.
void ClockWindow::ShowDueAlarms()
{
    if (showingAlarm_)
        return;
    showingAlarm_ = true;
    while (!pendingAlarms_.empty() && !exiting_) {
        const int slot = pendingAlarms_.front();
        pendingAlarms_.pop_front();
        ctx_.services.messages->show(this, ctx_.settings.Alarm[slot].Comment, "Tockara",
                                     MessageButtons::Ok, MessageIcon::Information);
    }
    showingAlarm_ = false;
}

void ClockWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, face_.frame());
}

void ClockWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        dragging_ = true;
        grabPoint_ = event->position().toPoint();
    } else if (event->button() == Qt::RightButton) {
        dragging_ = false;
        OpenPopupMenu();
    }
    update();
}

void ClockWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (dragging_)
        move(event->globalPosition().toPoint() - grabPoint_);
}

void ClockWindow::mouseReleaseEvent(QMouseEvent *)
{
    if (dragging_) {
        const ScreenInfo &screen = *ctx_.services.screen;
        ctx_.settings.Setting.Top = qint32(std::lround(y() * screen.twipsPerPixelY()));
        ctx_.settings.Setting.Left = qint32(std::lround(x() * screen.twipsPerPixelX()));
        SaveSettings(ctx_.settings, ctx_.settingsPath);
    }
    dragging_ = false;
    update();
}

void ClockWindow::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click is still an ordinary press.
    mousePressEvent(event);
    if (event->button() == Qt::LeftButton && showFortune) {
        dragging_ = false;
        showFortune();
    }
}

QPoint ClockWindow::PopupAnchorPoint() const
{
    const ScreenInfo &screen = *ctx_.services.screen;
    const double tx = screen.twipsPerPixelX(), ty = screen.twipsPerPixelY();
    const QPoint pointer = screen.pointerPosition();
    const QRect monitor = screen.monitorRect(pointer);
    return PopupAnchor({.pointer = pointer,
                        .clockLeft = qint32(std::lround(x() * tx)),
                        .clockTop = qint32(std::lround(y() * ty)),
                        .clockWidth = qint32(std::lround(width() * tx)),
                        .clockHeight = qint32(std::lround(height() * ty)),
                        .screenTop = qint32(std::lround(monitor.y() * ty)),
                        .screenHeight = qint32(std::lround(monitor.height() * ty)),
                        .twipsPerPixelX = tx,
                        .twipsPerPixelY = ty});
}

void ClockWindow::OpenPopupMenu()
{
    if (showPopupMenu)
        showPopupMenu(PopupAnchorPoint());
}

void ClockWindow::ExitProgram()
{
    if (exiting_)
        return;
    exiting_ = true;
    TMC.stop();
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

void ClockWindow::closeEvent(QCloseEvent *event)
{
    // A close is never refused: it ends the program.
    event->accept();
    ExitProgram();
}
