#pragma once
// The running clock's request channel on Linux: a datagram socket of the
// user's runtime folder (a private folder "tockara" in it) named after the
// program folder's real path, so that clocks of two folders never hear each
// other. Only the folder's clock binds it: it must hold the folder's
// instance lock, which makes a socket left by a clock that died its own to
// replace. A datagram is one whole request of a few bytes; a longer one, or
// one from another user, is dropped.
#include <QString>

#include "platform/clock_requests.h"

// The user's runtime folder's "tockara" (/tmp/tockara-<uid> without one),
// made 0700 when missing: the folder of the clock's sockets and other
// private files. Empty unless it is a real folder no other user may enter.
QByteArray PrivateRuntimeFolder();

// Where the requests of programFolder go; empty when the runtime folder is
// not private to the user (another user could own or read it).
QString ClockRequestSocketPath(const QString &programFolder);

// The listener of the clock that holds programFolder's instance lock.
std::unique_ptr<ClockRequestListener> MakeLinuxRequestListener(const QString &programFolder);

// Hands request to the clock running in programFolder; false when no clock
// listens there (none runs, or it has not opened its channel yet).
bool SendLinuxClockRequest(const QString &programFolder, ClockRequest request);
