#pragma once
// The rules of the CD page: its five value texts and its strip of eight
// 18-pixel buttons, which button is drawn sunken during and after a press,
// and what each release does to the controller.
#include <functional>
#include <QString>

class clsCDAudio;

// Buttons of the strip, numbered from the left.
enum CdButton : int {
    CdEject = 1,
    CdStop,
    CdPrevious,
    CdRewind,
    CdPause,
    CdPlay,
    CdFastForward,
    CdNext,
};
constexpr int CdButtonCount = 8;
constexpr int CdButtonWidth = 18;

// Door states, also the button drawn sunken when no press is in progress.
enum CdDoor : int { CdDoorOpen = 1, CdDoorClosed = 2 };

// The button under x pixels from the strip's left edge: x rounded to a
// whole pixel, divided by 18, plus 1 (x 17 is button 1, x 18 button 2);
// kept within 1..8.
int CdButtonAt(double x);

// The texts of the page's value labels.
struct CdLabels {
    QString product;     // lblProduct
    QString allTracks;   // lblAllTracks, decimal
    QString allTimes;    // lblAllTimes
    QString curTrack;    // lblCurTrack, decimal
    QString curTime;     // lblCurTime: the current track's length
};

class CdPanel {
public:
    // wait(ms) pauses before the texts are read again after the door closed.
    CdPanel(clsCDAudio &cd, std::function<void(int ms)> wait);

    // Opening the page: to the start of track 1, the texts read, the door
    // taken as closed. Returns the button to draw sunken.
    int Open();
    // The texts as last read.
    const CdLabels &Labels() const { return labels_; }
    // A press at x: returns the button to draw sunken while it is held (the
    // eject button shows the door's coming state: stop when it is open).
    int Press(double x);
    // The release of the pressed button: its action; returns the button to
    // draw sunken afterwards (eject while the door is open, else stop).
    int Release();

    int CDState() const { return state_; }
    int CDButtonPressed() const { return button_; }

private:
    // Reads the texts in the page's order: current track's length, playing
    // time, tracks, product, current track.
    void ReadLabels();
    void StepTrack(int step);
    void Wind(int seconds);

    clsCDAudio &cd_;
    std::function<void(int)> wait_;
    CdLabels labels_;
    int state_ = CdDoorClosed;
    int button_ = 0;
};
