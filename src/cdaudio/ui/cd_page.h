#pragma once
// The CD page (AreaCD): what the CD controller reports about the disc, and a
// strip of eight buttons (eject, stop, previous track, rewind, pause, play,
// fast forward, next track). The controller is created at the page's first
// opening and kept until the program ends, so closing the window neither
// stops playback nor closes the device.
#include <memory>
#include <QImage>
#include <QWidget>

#include "settings_window/ui/settings_page.h"

class CdPanel;
class QLabel;

// CDPanel: the 144 x 18 strip. It shows the picture it was last given and
// reports presses (with their x) and releases.
class CdButtonStrip : public QWidget {
    Q_OBJECT
public:
    explicit CdButtonStrip(QWidget *parent);
    // Draws every button raised, button sunken (1..8) sunken.
    void DrawCDPanel(int sunken);
    const QImage &image() const { return image_; }

signals:
    void pressed(double x);
    void released();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage image_;
    bool held_ = false;
};

// What outlives each opening of the window: the controller and the page's rules.
struct CdPageState;
struct FeatureHost;

class CdPage : public SettingsPage {
public:
    CdPage(const PageEnvironment &environment, std::shared_ptr<CdPageState> state);

    // To the start of track 1, the texts read, the stop button sunken.
    void Open() override;

private:
    void ShowLabels();

    std::shared_ptr<CdPageState> state_;
    CdButtonStrip *strip_;
    QLabel *product_;
    QLabel *allTracks_;
    QLabel *allTimes_;
    QLabel *curTrack_;
    QLabel *curTime_;
};

// ＣＤオーディオ (PageRequest 12); the controller lives as long as the registry.
PageDefinition CdPageDefinition();
void RegisterCdAudio(FeatureHost &host);
