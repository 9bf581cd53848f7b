#pragma once
// The platform services of a Linux desktop session, on Qt and the system's
// own interfaces. Only start-up (and the tests of these implementations)
// create them; everything else sees the interfaces of platform/.
#include <memory>
#include <QString>

#include "platform/archivers.h"
#include "platform/instance_lock.h"
#include "platform/program_starter.h"
#include "platform/services.h"

// The real services of a Linux desktop session.
Services MakeLinuxServices();
// The lock that keeps a second clock from starting on this display.
std::unique_ptr<InstanceLock> MakeLinuxInstanceLock();
// The archiver components: ZIP and LZH on libarchive, ARJ on the 7-Zip
// program sevenZipProgram (a name looked up on PATH, or a path).
std::unique_ptr<ArchiverService> MakeLinuxArchivers(const QString &sevenZipProgram = QStringLiteral("7zz"));
// Starts programs as child processes of their own.
std::unique_ptr<ProgramStarter> MakeLinuxProgramStarter();
