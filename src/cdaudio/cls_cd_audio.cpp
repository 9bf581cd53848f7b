#include "cdaudio/cls_cd_audio.h"

#include "platform/mci.h"

namespace {
constexpr int FullReply = 256;
}

clsCDAudio::clsCDAudio(MciService &mci) : mci_(mci)
{
    shareMode_ = true;
    send("open cdaudio shareable", FullReply);
}

clsCDAudio::~clsCDAudio()
{
    send("stop cdaudio", FullReply);
    send("close cdaudio", FullReply);
}

void clsCDAudio::send(const QString &command, int replyLength, bool check)
{
    const quint32 code = mci_.sendString(command, replyBuffer_, replyLength);
    if (check && code != 0)
        lastError_ = mci_.errorText(code);
}

// The leading decimal number of the reply, blanks before it skipped; 0 when
// there is none.
qint32 clsCDAudio::ReplyNumber() const
{
    const QString text = replyBuffer_.trimmed();
    qsizetype end = 0;
    if (end < text.size() && (text[end] == '-' || text[end] == '+'))
        ++end;
    while (end < text.size() && text[end].isDigit() && text[end].unicode() < 128)
        ++end;
    return text.left(end).toInt();
}

void clsCDAudio::StopCD()
{
    send("stop cdaudio", 0);
}

void clsCDAudio::ResumeCD()
{
    send("play cdaudio", FullReply);
}

void clsCDAudio::Pause()
{
    send("pause cdaudio", 0);
}

void clsCDAudio::Play()
{
    send("play cdaudio", FullReply);
}

qint32 clsCDAudio::CurTrack()
{
    send("status cdaudio current track", FullReply);
    return ReplyNumber();
}

void clsCDAudio::setCurTrack(qint32 n)
{
    TrackStart(n);
    send("seek cdaudio to " + replyBuffer_, FullReply, false);
}

QString clsCDAudio::TrackStart(qint32 n)
{
    // The track number is written as a signed number with a blank for its
    // sign, hence two blanks before a positive number.
    const QString number = n >= 0 ? " " + QString::number(n) : QString::number(n);
    send("status cdaudio position track " + number, FullReply);
    return replyBuffer_;
}

qint32 clsCDAudio::AllTracks()
{
    send("status cdaudio number of tracks", FullReply);
    return ReplyNumber();
}

QString clsCDAudio::AllTimes()
{
    send("status cdaudio length", FullReply);
    return replyBuffer_;
}

QString clsCDAudio::Mode()
{
    send("status cdaudio mode", 15);
    return replyBuffer_;
}

QString clsCDAudio::Product()
{
    send("info cdaudio product", 128);
    return replyBuffer_;
}

bool clsCDAudio::MediaPresent()
{
    send("status cdaudio media present", 15);
    return replyBuffer_ == "true";
}

QString clsCDAudio::CurTime()
{
    const qint32 track = CurTrack();
    send("status cdaudio length track " + QString::number(track), FullReply);
    return replyBuffer_;
}

bool clsCDAudio::CanEject()
{
    send("capability cdaudio can eject", FullReply);
    return replyBuffer_.contains("true");
}

void clsCDAudio::setEject(bool open)
{
    send(open ? "set cdaudio door open" : "set cdaudio door closed", FullReply);
}

void clsCDAudio::setShareMode(bool shareable)
{
    shareMode_ = shareable;
    send("stop cdaudio", FullReply, false);
    send("close cdaudio", FullReply, false);
    send(shareable ? "open cdaudio shareable" : "open cdaudio", FullReply, false);
}

QString clsCDAudio::Position()
{
    send("status cdaudio position", FullReply);
    return replyBuffer_;
}

void clsCDAudio::SeekTo(const QString &position)
{
    send("seek cdaudio to " + position, FullReply);
}
