#pragma once
#include <QString>

// Sound files played while something else goes on (an alarm's sound while
// its box is open). Several sounds may play at once, each on its own.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts playing file (a path) once from its start and returns at once
    // with the sound's number, never 0. A file that is missing or cannot be
    // played plays nothing and reports nothing: its sound simply ends.
    virtual int start(const QString &file) = 0;
    // Stops sound number id; a sound that has already ended, or an unknown
    // number, is left alone.
    virtual void stop(int id) = 0;
    // Whether sound number id still plays: false once it has reached its end,
    // failed, or been stopped.
    virtual bool playing(int id) const = 0;
};
