#pragma once
// The profile files of the process as parsed from disk. A file is parsed once
// and reused while it is unchanged on disk, so readers may ask for one key at
// a time in loops; a change made by anyone (another program, an editor) is
// seen on the next read.
#include <functional>
#include <memory>
#include <QString>

#include "settings/profile_file.h"

// The parsed file, or nullptr when it is missing or cannot be read.
std::shared_ptr<const ProfileFile> CachedProfile(const QString &path);

// Applies edit to the parsed file (an empty one when the file is missing) and
// writes the result with one atomic replacement of the file. Returns false,
// leaving the file as it was, when the file exists but cannot be read, or
// cannot be written.
bool EditProfile(const QString &path, const std::function<void(ProfileFile &)> &edit);
