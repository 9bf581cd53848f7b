#pragma once
// The profile files of the process as parsed from disk. A file is parsed once
// and reused while it is unchanged on disk, so readers may ask for one key at
// a time in loops; a change made by anyone (another program, an editor) is
// seen on the next read.
#include <functional>
#include <memory>
#include <QString>

#include "settings/profile_file.h"

// The parsed file, or nullptr when it is missing, cannot be read or is larger
// than kMaxProfileFileBytes (nothing of such a file is read).
std::shared_ptr<const ProfileFile> CachedProfile(const QString &path);

// Applies edit to the parsed file (an empty one when the file is missing) and,
// when edit reports a change, writes the result with one atomic replacement
// of the file. Returns false, leaving the file as it was, when the file exists
// but cannot be read (or is too large), when its mode bits do not let the user
// write it, when the result would be too large, or when it cannot be written.
// A replaced file keeps its mode, and its owner and group where allowed.
bool EditProfile(const QString &path, const std::function<bool(ProfileFile &)> &edit);
