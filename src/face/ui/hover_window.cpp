#include "face/ui/hover_window.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

#include "calendar/notes.h"
#include "face/digital_overlay.h"
#include "face/fonts.h"
#include "context/context.h"

QPoint HoverWindowPosition(QPoint pointer, QSize windowSize, QPoint screenMiddle)
{
    const int x = pointer.x() > screenMiddle.x() ? pointer.x() - windowSize.width() : pointer.x();
    const int y = pointer.y() > screenMiddle.y() ? pointer.y() - windowSize.height() : pointer.y() + 2;
    return QPoint(x, y);
}

QPoint HoverWindowOffClock(QPoint pointer, QSize windowSize, QPoint screenMiddle, QRect clock)
{
    QPoint at = HoverWindowPosition(pointer, windowSize, screenMiddle);
    at.setY(pointer.y() > screenMiddle.y() ? clock.top() - windowSize.height() : clock.bottom() + 1 + 2);
    return at;
}

QPoint ScreenMiddle(QRect monitor, double twipsPerPixelX, double twipsPerPixelY)
{
    auto half = [](int pixels, double twipsPerPixel) {
        const qint64 twips = qRound64(pixels * twipsPerPixel);
        return static_cast<int>((twips / 2) / twipsPerPixel);
    };
    return monitor.topLeft()
        + QPoint(half(monitor.width(), twipsPerPixelX), half(monitor.height(), twipsPerPixelY));
}

bool PointerOverClock(QPoint pointer, QRect clock)
{
    return clock.left() < pointer.x() && pointer.x() < clock.left() + clock.width()
        && clock.top() < pointer.y() && pointer.y() < clock.top() + clock.height();
}

bool ProgramWindowOpen()
{
    // Boxes, choosers and tool windows are dialogs or plain windows; the
    // clock is a tool window, the menus are popups and this one a tooltip.
    for (const QWidget *window : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = window->windowType();
        if ((type == Qt::Dialog || type == Qt::Window) && window->isVisible())
            return true;
    }
    return false;
}

HoverWindow::HoverWindow(Context &ctx, QWidget *parent)
    // Transparent for the pointer: the window beside it must never take the
    // pointer from the clock it tells about.
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                          | Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput),
      ctx_(ctx)
{
    setObjectName(QStringLiteral("frmDigi"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);

    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("DSP"));
    label_->setTextFormat(Qt::PlainText);
    label_->setFont(FaceTextFont(FaceTextPointSize));
    // A tooltip's look: dark text on pale yellow inside a thin black frame.
    // Drawn with a palette and the label's own frame: a style sheet would
    // cost the idle clock half a megabyte.
    QPalette palette = label_->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0xE1));
    label_->setPalette(palette);
    label_->setAutoFillBackground(true);
    label_->setFrameShape(QFrame::Box);
    label_->setLineWidth(1);
    label_->setMargin(1);

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("TMC"));
    timer_->setInterval(RefreshInterval);
    connect(timer_, &QTimer::timeout, this, &HoverWindow::refresh);

    refresh();
}

// The text is refreshed only while someone can see it.
void HoverWindow::showEvent(QShowEvent *event)
{
    timer_->start();
    QWidget::showEvent(event);
}

void HoverWindow::hideEvent(QHideEvent *event)
{
    timer_->stop();
    QWidget::hideEvent(event);
}

QString HoverWindow::currentText() const
{
    QString text = FormatTimeText(TimeTextFor(ctx_.services.clock->now()),
                                  ctx_.settings().Setting.TimeFormat);
    if (!ctx_.notes.MemoText.isEmpty())
        text += QStringLiteral("\r\n") + ctx_.notes.MemoText;
    // The label breaks lines at LF only.
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

void HoverWindow::refresh()
{
    // Laying out the label is the costly part: a hidden window is brought up
    // to date when it is shown.
    if (isVisible() || label_->text().isEmpty())
        updateText();
}

void HoverWindow::updateText()
{
    // An unchanged text needs no new layout, once the window has its label's
    // size (an empty text, the first time, too).
    const QString text = currentText();
    if (text == label_->text() && size() == label_->size())
        return;
    label_->setText(text);
    label_->adjustSize();
    resize(label_->size());
}

void HoverWindow::follow(QPoint clockTopLeft, std::optional<QPoint> pointer)
{
    const QRect clock(clockTopLeft, QSize(ctx_.settings().Setting.Width, ctx_.settings().Setting.Height));
    if (!pointer || !PointerOverClock(*pointer, clock)) {
        hide();
        return;
    }
    // A tool window or a box of the program in front of the clock: stay out
    // of its way.
    if (ctx_.ToolWindowOpen || ProgramWindowOpen()) {
        hide();
        return;
    }
    const ScreenInfo &screen = *ctx_.services.screen;
    // The sides are those of the clock's monitor, as the menu's are.
    const QPoint middle =
        ScreenMiddle(screen.monitorRect(clock.center()), screen.twipsPerPixelX(), screen.twipsPerPixelY());
    const bool appearing = isHidden();
    if (appearing)
        updateText();
    // A Wayland compositor ignores this window's empty input shape: under
    // the pointer it would take the pointer from the clock, and each time it
    // does, XWayland lets go of the buttons held (a drag would end).
    if (IgnoresWindowShape(screen.session()))
        move(HoverWindowOffClock(*pointer, size(), middle, clock));
    else
        move(HoverWindowPosition(*pointer, size(), middle));
    // Shown and put on top as it appears; a window that stays on top needs
    // no restacking on every tick.
    if (appearing) {
        show();
        raise();
    }
}
