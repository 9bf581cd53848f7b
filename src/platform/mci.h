#pragma once
#include <QString>
#include <QtGlobal>

// The multimedia command interface: devices driven by command strings such as
// "status cdaudio number of tracks", answering with reply texts ("3", "true",
// "04:12:37").
class MciService {
public:
    virtual ~MciService() = default;
    // Runs one command. reply receives the command's reply text, cut to
    // replyLength - 1 characters (nothing for a replyLength of 0); a command
    // without a reply, or one that failed, leaves reply empty. Returns 0, or
    // an error code for errorText.
    virtual quint32 sendString(const QString &command, QString &reply, int replyLength) = 0;
    // The text of an error code of sendString; empty for 0 or an unknown code.
    virtual QString errorText(quint32 code) = 0;
};
