#pragma once
// The clock window ("frmMain"): a borderless, elliptic window above all
// others that shows the face, ticks every 100 ms, is dragged with the left
// button and opens the popup menu with the right one. It follows the
// settings store: a change of size, colours, background, overlay or
// environment is shown as soon as it has been saved.
#include <functional>
#include <optional>
#include <QElapsedTimer>
#include <QPoint>
#include <QTimer>
#include <QWidget>

#include "face/analog_face.h"
#include "face/animation.h"
#include "face/face_frame.h"
#include "settings/settings_store.h"
#include "shell/alarm_check.h"
#include "shell/hourly_chime.h"

class HoverWindow;
struct Context;

class ClockWindow : public QWidget {
    Q_OBJECT
public:
    explicit ClockWindow(Context &ctx);
    ~ClockWindow() override;

    // Sizes the window from "Setting" Width and Height and gives it its
    // elliptic mask.
    void ApplyClockShape();
    // The face colour on every surface, then the background recomposed.
    void ApplyBackColor();
    // Rebuilds the background from the picture settings and shows it.
    void ComposeBackground();
    // Reads the environment file named by "Anime" "File" and applies it.
    void LoadEnvironment();
    // Restarts the figure: no pattern yet, counter 0, at the face's centre.
    void ResetAnimation();
    // The clock's own figure, when the environment gave no patterns.
    void InstallBuiltInPatternsIfNone();
    // Closes every window of the program; the process ends with the last one.
    void ExitProgram();
    // How opaque the whole clock is over what lies beneath: "Window"
    // "Opacity". The hover window and the menu are other windows and stay
    // opaque.
    void ApplyOpacity();
    // Pointer and clicks pass through the clock to what lies beneath while
    // "Window" "ClickThrough" is on: the window takes no input (an empty X11
    // input shape), shows no hover window and cannot be dragged; it draws and
    // ticks as before. Its menu is reached through `tockara --menu`.
    void ApplyClickThrough();
    bool clickThrough() const { return clickThrough_; }

    // One tick of the clock: redraw the face, show the image, place the hover
    // window, then let the alarms that are due show their boxes. Driven by
    // TMC (see RunDueTicks); callable from tests.
    void Tick();
    // How many ticks may pass from now with nothing to show: the ticks until
    // the next second, or until the figure or scroll next changes; 1 while
    // the pointer is near the clock or a drawing is pending.
    int TicksUntilChange() const;

    // The popup menu as the keyboard asks for it (the Menu key, Shift+F10,
    // tockara --menu): beside the clock, wherever the pointer is.
    void OpenPopupMenuFromKeyboard();

    // Called on a right-button press after the drag flag is cleared, and by
    // OpenPopupMenuFromKeyboard; shows the popup menu and returns when it
    // closes.
    std::function<void(QPoint anchor)> showPopupMenu;
    // Called on a double click, or Return or Space while the clock has the
    // keyboard (the fortune message).
    std::function<void()> showFortune;
    // Called with the "text/uri-list" of files dropped on the clock; while it
    // is unset the clock accepts no drops. Other drag formats are refused.
    std::function<void(const QByteArray &uriList)> dropFiles;

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
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void SettingsChanged(SettingsAspects aspects);
    void RunDueTicks();
    void ScheduleTicks(int ticks);
    void TickSoon();
    void ShowChangedPart(const QRect &device);
    bool CopyToBackingStore(const QRect &area);
    void PlaceAtSavedPosition();
    void MonitorsChanged();
    void OpenPopupMenu(QPoint pointer);
    void Press(Qt::MouseButton button, QPoint at, QPoint pointer);
    void Release();
    void PressedElsewhere(Qt::MouseButton button, bool pressed);
    QPoint PopupAnchorPoint(QPoint pointer) const;
    void DescribeTime(const QDateTime &now);
    void ShowAlarms(QList<int> due);
    void PlayChime();
    void ShowRecomposedFace();
    std::optional<QPoint> PointerNearClock();
    void WatchPointerLeaving(bool pointerNear);

    Context &ctx_;
    AnalogFace face_;
    FaceAnimation animation_;
    FaceFrame frame_;
    QString timeText_;                     // "yyyy/mm/dd hh:nn:ss" of the last tick
    qint64 timeTextSecond_ = -1;
    qint64 describedMinute_ = -1;          // the minute the accessible description tells
    HoverWindow *hover_ = nullptr;
    AlarmCheck alarmCheck_;
    HourlyChime chime_;
    // The tick runs on a 100 ms grid, but its timer wakes the program only at
    // the ticks where something may change: the ticks between would draw the
    // very face shown already, and waking costs the idle clock more than
    // anything it draws. Those ticks still advance the figure's state.
    QTimer TMC;
    QElapsedTimer grid_;          // steady time since the clock started, ms
    qint64 lastTickAt_ = 0;       // grid time of the last tick run
    qint64 dueAt_ = 0;            // grid time of the tick TMC runs next
    int dueTicks_ = 1;            // ticks that one stands for
    // Where the pointer is, as the window's own events tell: over the face,
    // away, or just off the face's ellipse and perhaps still within the
    // clock's rectangle (its corners), where only asking the screen tells.
    // LeftWindow: gone from a window that has no corners of its own (a
    // Wayland session): the position told since is not believed until the
    // pointer enters again.
    enum class PointerPlace { Away, OverFace, NearCorner, LeftWindow };
    PointerPlace pointerPlace_ = PointerPlace::Away;
    // The clock's place the screen service watches the pointer leave (on a
    // session whose windows are not told); empty when no watch runs.
    QRect watchedArea_;
    QPoint pointer_;
    // Away, the pointer is asked for only once the screen told that it moved
    // (it may have come into the clock's rectangle off the face, where the
    // face feels nothing); where the screen tells no moves, at every tick.
    bool movesTold_ = false;
    bool pointerMoved_ = false;
    bool dragging_ = false;
    QPoint grabPoint_;
    bool placesItself_ = false; // the window bypasses the window manager
    bool showsEachMove_ = false; // the compositor learns a move only from new content
    bool placementPending_ = false; // the monitors changed: the clock is placed anew
    bool translucent_ = false;  // clear outside the ellipse, for a compositor
    // The clock's opacity where its window is clear (ARGB): its pixels carry
    // it. Elsewhere the window's own opacity, which the compositor applies.
    qreal paintOpacity_ = 1.0;
    bool clickThrough_ = false;
    bool exiting_ = false;
    bool windowRequestsMade_ = false; // task bar and stacking, asked at the first show
};
