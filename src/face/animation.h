#pragma once
// The animated figure and the scrolling background of the face.
//
// The figure is a sequence of masked patterns cut from one sheet (PIC): each
// pattern stays a number of ticks, and the figure moves when a pattern begins.
// A pattern is drawn by ANDing its mask (white where the face shows through,
// black where the figure is) into the face and then XORing its picture (black
// where the face shows through). The background may scroll: the face then
// shows a window of a larger picture, moving every tick (free scrolling) or
// whenever a new pattern begins (linked scrolling).
#include <array>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

#include "settings/environment.h"

class AnalogFace;

class FaceAnimation {
public:
    // Most pixels a pattern sheet may have; larger pictures are refused, so a
    // hostile definition cannot make the clock hold gigabytes.
    static constexpr qint64 kMaxSheetPixels = 16 * 1024 * 1024;
    // Sheet coordinates are 16-bit: a wider or taller sheet cannot be addressed.
    static constexpr int kMaxSheetSide = 32767;

    // --- The environment -------------------------------------------------
    // Takes everything of a definition except its sheet: offsets, scroll
    // switches, start and step, the texts, and patterns 1..count (entries
    // beyond the count keep what an earlier, longer definition left there).
    // The scroll position returns to the start position.
    void SetEnvironment(const EnvironmentDefinition &environment);
    // The environment switched off: title "デフォルト", no sheet file and no
    // patterns; offsets and scroll settings keep what they held.
    void DisableEnvironment();
    // Loads the pattern sheet. False, with the sheet unchanged, when the file
    // is not a picture or is larger than the limits above.
    bool LoadSheet(const QString &path);
    void SetSheet(const QImage &sheet);
    // Number of patterns in use, kept within 0..kMaxSpritePatterns.
    void SetPatternCount(int count);
    // The clock's own figure: two poses that alternate in the face's centre,
    // with the built-in sheet. Start-up installs it when no environment gave
    // any pattern.
    void InstallBuiltInPatterns();

    // --- Animation state -------------------------------------------------
    // No pattern yet, counter 0, the figure at the centre of the face.
    void Reset(QSize faceSize);

    // --- Per tick, on plain sizes (W x H face, the scrolled picture's size) -
    // Free scrolling: only when "Scroll" is on and "ScrollLink" is not.
    void FreeScrollStep(QSize faceSize, QSize pictureSize);
    // One tick of the figure; a new pattern moves the figure and, when the
    // scroll is linked, the scroll position.
    void AdvanceAnimation(QSize faceSize, QSize pictureSize);
    // Draws pattern index (0..96) centred on (x, y) shifted by the offsets.
    // Pixels outside the target or outside the sheet are left alone; a
    // pattern of width or height 0 draws nothing. A target of device pixels
    // (a device pixel ratio other than 1) gets the pattern scaled to it
    // without smoothing; positions stay in face pixels.
    void DrawSprite(QImage &target, int index, int x, int y) const;

    // --- Per tick, on the face (the clock's tick calls these) --------------
    // Tick step 2, after the face's DrawBackground.
    void FreeScrollStep(AnalogFace &face);
    // Tick step 3: advance the figure and draw it into the face's frame,
    // before the hands are drawn.
    void AnimationStep(AnalogFace &face);
    // Both steps in tick order.
    void Tick(AnalogFace &face);
    // The two steps' changes of state without the drawing: the scroll
    // position handed to the face for the next tick, the pattern and the
    // figure's position for this one. DrawFigure then draws what Tick draws.
    void Advance(AnalogFace &face);
    void DrawFigure(QImage &frame) const;
    // How many ticks from now until the figure or the scroll may look
    // different: 1 when the background scrolls freely, else the tick at which
    // the next pattern begins; a very large number when nothing is drawn and
    // nothing scrolls.
    int TicksUntilChange() const;
    // Hands the scroll switch and position to the face, which copies the
    // visible window of its background from there.
    void ApplyScroll(AnalogFace &face) const;

    // --- What the state is ---------------------------------------------
    const EnvironmentDefinition &environment() const { return environment_; }
    bool scrolls() const { return IsOn(environment_.Scroll); }
    bool scrollLinked() const { return IsOn(environment_.ScrollLink); }
    QPoint scrollPosition() const { return scrollPosition_; }
    int patternCount() const { return count_; }
    const SpritePattern &pattern(int index) const;
    const QImage &sheet() const { return sheet_; }
    int index() const { return index_; }
    int counter() const { return counter_; }
    QPoint figurePosition() const { return QPoint(figureX_, figureY_); }

private:
    // Moves the scroll position by the step; each axis that leaves the
    // picture returns to its start on its own.
    void LinkedScrollStep(QSize faceSize, QSize pictureSize);

    EnvironmentDefinition environment_;   // its Patterns list is not kept
    std::array<SpritePattern, kMaxSpritePatterns + 1> patterns_{};
    int count_ = 0;
    QImage sheet_;                        // PIC, always Format_RGB32
    int adjustX_ = 0;
    int adjustY_ = 0;
    QPoint scrollPosition_;

    qint16 index_ = 0;
    qint16 counter_ = 0;
    // 16-bit, as the figure's position has always been: a figure that keeps
    // walking one way wraps around instead of overflowing.
    qint16 figureX_ = 0;
    qint16 figureY_ = 0;
};
