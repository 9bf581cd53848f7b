#include "shell/clock_window.h"

#include <cmath>
#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

#include "shell/time_text.h"

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
    update();
}

void ClockWindow::ComposeBackground()
{
    face_.ComposeBackground();
    update();
}

void ClockWindow::LoadEnvironment()
{
}

void ClockWindow::ResetAnimation()
{
}

void ClockWindow::Tick()
{
    face_.DrawBackground();
    const QString timeText = CurrentTimeText(ctx_.services.clock->now());
    face_.DrawHands(timeText);
    for (int slot : alarmCheck_.dueSlots(ctx_.settings.Alarm, ctx_.services.clock->now()))
        pendingAlarms_.push_back(slot);
    repaint();
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

// Below the clock when it stands in the upper half of the screen, to its
// right otherwise.
QPoint ClockWindow::PopupAnchorPoint() const
{
    const ScreenInfo &screen = *ctx_.services.screen;
    const double tx = screen.twipsPerPixelX(), ty = screen.twipsPerPixelY();
    QPoint anchor = screen.pointerPosition();
    const qint64 topTwips = std::lround(y() * ty);
    const qint64 leftTwips = std::lround(x() * tx);
    const qint64 halfScreen = qint64(screen.desktopRect().height() * ty) / 2;
    if (topTwips < halfScreen)
        anchor.setY(int((topTwips + qint64(std::lround(height() * ty))) / qint64(ty)));
    else
        anchor.setX(int((leftTwips + qint64(std::lround(width() * tx))) / qint64(tx)));
    return anchor;
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
    // Every window of the program, earliest first; closing a modal one ends
    // its event loop.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows)
        if (window != this && window->isVisible())
            window->close();
    close();
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

void ClockWindow::closeEvent(QCloseEvent *event)
{
    // A close is never refused: it ends the program.
    event->accept();
    ExitProgram();
}
