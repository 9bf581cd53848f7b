#include "cdaudio/cd_panel.h"

#include <algorithm>
#include <cmath>
#include <QStringList>

#include "cdaudio/cls_cd_audio.h"

namespace {

constexpr int FramesPerSecond = 75;
// How far rewind and fast forward move per press.
constexpr int WindSeconds = 10;

// "mm:ss:ff" as frames; -1 for other text.
int Frames(const QString &msf)
{
    const QStringList parts = msf.split(':');
    if (parts.size() != 3)
        return -1;
    bool ok[3];
    const int m = parts[0].toInt(&ok[0]), s = parts[1].toInt(&ok[1]), f = parts[2].toInt(&ok[2]);
    return ok[0] && ok[1] && ok[2] ? (m * 60 + s) * FramesPerSecond + f : -1;
}

QString Msf(int frames)
{
    return QString("%1:%2:%3")
        .arg(frames / (60 * FramesPerSecond), 2, 10, QChar('0'))
        .arg(frames / FramesPerSecond % 60, 2, 10, QChar('0'))
        .arg(frames % FramesPerSecond, 2, 10, QChar('0'));
}

} // namespace

int CdButtonAt(double x)
{
    const int button = int(std::lround(x)) / CdButtonWidth + 1;
    return std::clamp(button, 1, CdButtonCount);
}

CdPanel::CdPanel(clsCDAudio &cd, std::function<void(int ms)> wait)
    : cd_(cd), wait_(std::move(wait))
{
}

int CdPanel::Open()
{
    cd_.setCurTrack(1);
    ReadLabels();
    state_ = CdDoorClosed;
    return state_;
}

void CdPanel::ReadLabels()
{
    labels_.curTime = cd_.CurTime();
    labels_.allTimes = cd_.AllTimes();
    labels_.allTracks = QString::number(cd_.AllTracks());
    labels_.product = cd_.Product();
    labels_.curTrack = QString::number(cd_.CurTrack());
}

int CdPanel::Press(double x)
{
    button_ = CdButtonAt(x);
    if (button_ == CdEject)
        return state_ == CdDoorOpen ? CdStop : CdEject;
    return button_;
}

int CdPanel::Release()
{
    switch (button_) {
    case CdEject:
        if (state_ == CdDoorOpen) {
            cd_.setEject(false);
            if (wait_)
                wait_(500);
            ReadLabels();
            state_ = CdDoorClosed;
        } else {
            cd_.setEject(true);
            state_ = CdDoorOpen;
        }
        break;
    case CdStop:
        cd_.StopCD();
        cd_.setCurTrack(cd_.CurTrack());   // back to the start of the track
        ReadLabels();
        break;
    case CdPrevious:
        StepTrack(-1);
        break;
    case CdRewind:
        Wind(-WindSeconds);
        break;
    case CdPause:
        if (cd_.Mode() == "paused")
            cd_.ResumeCD();
        else
            cd_.Pause();
        break;
    case CdPlay:
        cd_.Play();
        break;
    case CdFastForward:
        Wind(WindSeconds);
        break;
    case CdNext:
        StepTrack(1);
        break;
    default:
        break;
    }
    return state_;
}

// Moves to the previous or next track, playing on when the disc played.
void CdPanel::StepTrack(int step)
{
    const bool playing = cd_.Mode() == "playing";
    const int tracks = cd_.AllTracks();
    if (tracks <= 0)
        return;
    const int track = std::clamp(cd_.CurTrack() + step, 1, tracks);
    cd_.setCurTrack(track);
    if (playing)
        cd_.Play();
    ReadLabels();
}

// Moves the position by seconds within the disc, playing on when it played.
void CdPanel::Wind(int seconds)
{
    const bool playing = cd_.Mode() == "playing";
    const int now = Frames(cd_.Position());
    const int first = Frames(cd_.TrackStart(1));
    const int length = Frames(cd_.AllTimes());
    if (now < 0 || first < 0 || length <= 0)
        return;
    const int end = first + length;
    cd_.SeekTo(Msf(std::clamp(now + seconds * FramesPerSecond, first, std::max(first, end - 1))));
    if (playing)
        cd_.Play();
    ReadLabels();
}
