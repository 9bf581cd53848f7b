#pragma once
// The frames of the clock's face. Each tick composes the next frame from the
// background (scrolled), the figure, the hands and the date and time texts,
// and tells which part of it differs from the frame the screen shows; the
// clock window puts only that part on the screen. Most ticks of a still face
// would draw the very frame shown before, so a frame is drawn only when
// something it draws has changed.
#include <memory>
#include <optional>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include "settings/display_patterns.h"

class AnalogFace;
class FaceAnimation;
class QPainter;
struct Settings;

class FaceFrame {
public:
    FaceFrame(AnalogFace &face, FaceAnimation &animation);
    ~FaceFrame();

    // One tick at timeText ("yyyy/mm/dd hh:nn:ss"): the figure and the scroll
    // move on one step, and the frame is drawn when it would differ from the
    // last one drawn. Returns the device pixels of the frame that differ from
    // the frame last shown; empty when there is nothing new to show.
    QRect Compose(const QString &timeText, const Settings &settings, const DisplayPatterns &patterns);

    // Hands, texts or colours changed: the next tick draws the frame anew.
    void Redraw();
    // The face's image was recomposed and holds the bare background: the next
    // tick draws the frame anew and shows it whole, even if it equals the
    // frame shown before.
    void ShowWhole();
    // Whether the next tick draws a frame whatever has changed.
    bool redrawPending() const { return !drawn_; }

private:
    void DrawHandsAndTexts(const QString &timeText, const Settings &settings, const DisplayPatterns &patterns);
    QRect TakeChangedPart();

    AnalogFace &face_;
    FaceAnimation &animation_;
    // What the frame was last drawn from: its time text, the scroll position
    // of its background and its figure.
    struct Drawn {
        QString timeText;
        QPoint scrolledTo;
        int figureIndex = 0;
        QPoint figureAt;
        bool operator==(const Drawn &) const = default;
    };
    std::optional<Drawn> drawn_;   // none: draw at the next tick
    QImage handsAndTexts_;         // laid over every new frame
    // Open on handsAndTexts_ while that image lives: setting a painter up
    // each second would cost more than the hands it draws.
    std::unique_ptr<QPainter> handsPainter_;
    QString handsAndTextsAt_;      // the time text they show; empty: draw anew
    QImage minuteHands_;           // the hour and minute hands alone
    QString minuteHandsAt_;        // "yyyy/mm/dd hh:nn" they show; empty: draw anew
    QImage shown_;                 // the frame as last put on the screen
};

// The smallest rectangle holding every pixel in which two frames differ; all
// of a frame whose size or format differs from the other's.
QRect ChangedRect(const QImage &now, const QImage &before);

// Lays layer (premultiplied ARGB, the frame's size) over frame (RGB): where
// the layer is opaque its pixel replaces the frame's, where it is clear the
// frame stays, and partly covered pixels blend.
void LayOver(QImage &frame, const QImage &layer);

// The window's logical pixels that hold the given device pixels of a frame
// drawn at ratio device pixels per logical pixel.
QRect DeviceToWindow(const QRect &device, qreal ratio);
