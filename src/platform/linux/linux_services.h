#pragma once
// The platform services of a Linux desktop session, on Qt and the system's
// own interfaces. Only start-up (and the tests of these implementations)
// create them; everything else sees the interfaces of platform/.
#include <memory>

#include "platform/desktop_folders.h"
#include "platform/instance_lock.h"
#include "platform/program_launcher.h"
#include "platform/services.h"

// The real services of a Linux desktop session.
Services MakeLinuxServices();
// The lock that keeps a second clock from starting on this display.
std::unique_ptr<InstanceLock> MakeLinuxInstanceLock();
// Programs started directly, files opened with the desktop's applications.
std::unique_ptr<ProgramLauncher> MakeLinuxProgramLauncher();
// The XDG user folders, the recently-used list and the mounted drives.
std::unique_ptr<DesktopFolders> MakeLinuxDesktopFolders();
