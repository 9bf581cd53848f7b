#pragma once
// The platform services of a Linux desktop session, on Qt and the system's
// own interfaces. Only start-up (and the tests of these implementations)
// create them; everything else sees the interfaces of platform/.
#include <memory>
#include <QString>

#include "platform/archivers.h"
#include "platform/desktop_folders.h"
#include "platform/desktop_settings.h"
#include "platform/display_modes.h"
#include "platform/instance_lock.h"
#include "platform/mci.h"
#include "platform/program_launcher.h"
#include "platform/program_search.h"
#include "platform/services.h"
#include "platform/sound_player.h"
#include "platform/system_power.h"

// The real services of a Linux desktop session.
Services MakeLinuxServices();
// The lock that keeps a second clock from starting on programFolder,
// whatever the environment of either clock says.
std::unique_ptr<InstanceLock> MakeLinuxInstanceLock(const QString &programFolder);

// Restart and power-off through systemd-logind.
std::unique_ptr<SystemPower> MakeLogindPower();
// Display modes through XRandR on the application's X display.
std::unique_ptr<DisplayModeService> MakeXRandrDisplayModes();
// The "cdaudio" device of the multimedia command interface, over libcdio:
// source is a drive's device file or a CD image (.cue, .toc, .nrg), or empty
// for the system's first CD drive.
std::unique_ptr<MciService> MakeCdAudioMci(const QString &source = QString());
// The names 7-Zip's program that reads every format (ARJ among them) has,
// first found first: 7zz (7-Zip's own build; Debian 12's 7zip package), 7z
// (Debian 13's 7zip package, and p7zip). 7za and 7zr read a few formats only.
QStringList SevenZipPrograms();
// The archiver components: ZIP and LZH on libarchive, ARJ on the first of
// the 7-Zip programs sevenZipPrograms there is (names found by search, or
// paths).
std::unique_ptr<ArchiverService> MakeLinuxArchivers(
    const QStringList &sevenZipPrograms = SevenZipPrograms(),
    std::shared_ptr<const ProgramSearch> search = std::make_shared<ProgramSearch>());
// Programs started directly, files opened with the desktop's applications;
// programs named without a folder are found by search.
std::unique_ptr<ProgramLauncher> MakeLinuxProgramLauncher(
    std::shared_ptr<const ProgramSearch> search = std::make_shared<ProgramSearch>());
// The XDG user folders, the recently-used list and the mounted drives.
std::unique_ptr<DesktopFolders> MakeLinuxDesktopFolders();
// Sound files through the toolkit's multimedia library, which is loaded
// with the first sound.
std::unique_ptr<SoundPlayer> MakeSoundPlayer();
