#pragma once
// The analog face: the clock's off-screen images and how a tick draws into them.
//
// Three surfaces, all in pixels:
// - picTemp: the background picture as loaded, at its own size;
// - picBack: the composed background, W x H (the whole picture when it scrolls);
// - frame:   the face as the window shows it, W x H; each tick redraws it and
//            the window's paint code only copies it to the screen.
// Sizes and positions are face pixels (the window's logical pixels). On a
// screen scaled by a device pixel ratio the frame holds device pixels (it
// carries that ratio): the hands are drawn smooth at that resolution, and the
// background is the composed picture scaled without smoothing.
#include <QColor>
#include <QDateTime>
#include <QImage>
#include <QPoint>
#include <QString>

#include "settings/settings.h"

class QPainter;

class AnalogFace {
public:
    explicit AnalogFace(const Settings &settings);

    // Face colour ("Color" "Bord") for every surface, then ComposeBackground.
    void ApplyBackColor();
    // Rebuilds picBack from the picture settings and copies it into the frame.
    void ComposeBackground();
    // First step of every tick: clear the frame and copy the background into
    // it (from the scroll position when the background scrolls).
    void DrawBackground();
    // The same from the given scroll position.
    void DrawBackground(QPoint scrolledTo);
    // The three hands for the time in timeText ("yyyy/mm/dd hh:nn:ss").
    void DrawHands(const QString &timeText);
    // The same into target, an image of the face's size (the hands' pixels
    // are opaque: no smoothing).
    void DrawHands(QImage &target, const QString &timeText) const;
    // The same with a painter already open on such an image, which the tick
    // keeps open: a painter's setting up costs more than the three lines.
    void DrawHands(QPainter &painter, const QString &timeText) const;
    // The hour and minute hands alone, and the second hand alone, drawn over
    // them: together the same pixels as DrawHands. The first two change once
    // a minute, and the wide ones cost the most to draw.
    void DrawHourAndMinuteHands(QPainter &painter, const QString &timeText) const;
    void DrawSecondHand(QPainter &painter, const QString &timeText) const;

    // Scrolling background, set by the environment: when on, picBack holds the
    // whole picture and the frame shows a W x H window of it.
    void setScrolling(bool on) { scrolling_ = on; }
    bool scrolling() const { return scrolling_; }
    void setScrollPosition(QPoint position) { scrollPosition_ = position; }
    QPoint scrollPosition() const { return scrollPosition_; }
    // Device pixels per face pixel of the frame (1 unless the screen is
    // scaled; kept within 1..8). A change recomposes the background and
    // returns true.
    bool SetDevicePixelRatio(qreal ratio);
    qreal devicePixelRatio() const { return ratio_; }
    // W x H in face pixels, whatever the frame's resolution.
    QSize faceSize() const;

    // Size of the loaded picture (picTemp): the extent a scroll may cover.
    QSize pictureSize() const { return picTemp_.size(); }

    QImage &frame() { return frame_; }
    const QImage &frame() const { return frame_; }
    const QImage &background() const { return picBack_; }

private:
    // The frame's size in device pixels.
    QSize frameSize() const;
    // picBack as the frame shows it at ratio_ (not for a scrolling background,
    // which is scaled as it moves).
    void ComposeDeviceBackground();
    // Loads "Image" "File" into picture_ unless it is the file (same path,
    // time and size) tried last; a failure keeps the previous picture.
    void LoadPicture();
    // Rebuilds picTemp from picture_ over the face colour when either changed.
    void RefreshPicTemp();
    void DrawHand(QPainter &painter, ColorValue color, int thick, int shortening,
                  double degrees) const;

    const Settings &settings_;
    QColor faceColor_;
    QImage picTemp_;
    QImage picBack_;
    QImage deviceBack_;               // picBack in device pixels; null at ratio 1
    QImage frame_;
    qreal ratio_ = 1;
    QString loadedPicturePath_;
    QDateTime loadedPictureTime_;     // modification time of the file tried last
    qint64 loadedPictureBytes_ = -1;  // its size in bytes
    QImage picture_;                  // the last picture read, as read (may hold alpha)
    bool picTempStale_ = true;        // picture_ or the face colour changed since picTemp
    bool scrolling_ = false;
    QPoint scrollPosition_;
};
