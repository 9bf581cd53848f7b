#pragma once
// The clock window ("frmMain"): a borderless, elliptic window above all
// others that shows the face, ticks every 100 ms, is dragged with the left
// button and opens the popup menu with the right one.
#include <deque>
#include <functional>
#include <QPoint>
#include <QTimer>
#include <QWidget>

#include "face/analog_face.h"
#include "face/animation.h"
#include "settings/context.h"
#include "shell/alarm_check.h"

class HoverWindow;

class ClockWindow : public QWidget, public ClockActions {
    Q_OBJECT
public:
    explicit ClockWindow(Context &ctx);
    ~ClockWindow() override;

    // ClockActions
    void ApplyClockShape() override;
    void ApplyBackColor() override;
    void ComposeBackground() override;
    void LoadEnvironment() override;
    void ResetAnimation() override;
    void ExitProgram() override;
    QWidget *clockWindow() override { return this; }

    // One tick of the clock: redraw the face, check the alarms, show the
    // image, place the hover window. Driven by TMC; callable from tests.
    void Tick();

    // Called on a right-button press after the drag flag is cleared; shows
    // the popup menu and returns when it closes.
    std::function<void(QPoint anchor)> showPopupMenu;
    // Called on a double click (the fortune message).
    std::function<void()> showFortune;

    // The figure of the built-in sheet, when the environment gave no patterns.
    void InstallBuiltInPatternsIfNone();
    // The hover window the tick places beside the pointer (none in some tests).
    void setHoverWindow(HoverWindow *hover) { hover_ = hover; }

    AnalogFace &face() { return face_; }
    FaceAnimation &animation() { return animation_; }
    bool exiting() const { return exiting_; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void PlaceAtSavedPosition();
    void OpenPopupMenu();
    QPoint PopupAnchorPoint() const;
    void ShowDueAlarms();
    void ShowRecomposedFace();

    Context &ctx_;
    AnalogFace face_;
    FaceAnimation animation_;
    QImage shownFrame_;    // the face as last put on the screen
    HoverWindow *hover_ = nullptr;
    AlarmCheck alarmCheck_;
    QTimer TMC;
    std::deque<int> pendingAlarms_;
    bool showingAlarm_ = false;
    bool dragging_ = false;
    QPoint grabPoint_;
    bool exiting_ = false;
};
