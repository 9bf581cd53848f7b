#pragma once
// The analog face: the clock's off-screen images and how a tick draws into them.
//
// Three surfaces, all in pixels:
// - picTemp: the background picture as loaded, at its own size;
// - picBack: the composed background, W x H (the whole picture when it scrolls);
// - frame:   the face as the window shows it, W x H; each tick redraws it and
//            the window's paint code only copies it to the screen.
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

    // Scrolling background, set by the environment: when on, picBack holds the
    // whole picture and the frame shows a W x H window of it.
    void setScrolling(bool on) { scrolling_ = on; }
    bool scrolling() const { return scrolling_; }
    void setScrollPosition(QPoint position) { scrollPosition_ = position; }
    QPoint scrollPosition() const { return scrollPosition_; }
    // Size of the loaded picture (picTemp): the extent a scroll may cover.
    QSize pictureSize() const { return picTemp_.size(); }

    QImage &frame() { return frame_; }
    const QImage &frame() const { return frame_; }
    const QImage &background() const { return picBack_; }

private:
    QSize faceSize() const;
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
    QImage frame_;
    QString loadedPicturePath_;
    QDateTime loadedPictureTime_;     // modification time of the file tried last
    qint64 loadedPictureBytes_ = -1;  // its size in bytes
    QImage picture_;                  // the last picture read, as read (may hold alpha)
    bool picTempStale_ = true;        // picture_ or the face colour changed since picTemp
    bool scrolling_ = false;
    QPoint scrollPosition_;
};
