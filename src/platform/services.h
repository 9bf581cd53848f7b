#pragma once
#include <memory>

#include "platform/local_clock.h"
#include "platform/message_box.h"
#include "platform/screen_info.h"

class ChooserService;
class SystemPower;
class DisplayModeService;
class DesktopSettings;
class MciService;
class ArchiverService;
class ProgramLauncher;
class DesktopFolders;
class SoundPlayer;
class Autostart;
class ProgramSearch;

// Every service of the operating system that the program uses. Start-up fills
// it with the Linux implementations; tests fill it with fakes.
struct Services {
    std::unique_ptr<MessageBoxService> messages;
    std::unique_ptr<LocalClock> clock;
    std::unique_ptr<ScreenInfo> screen;
    std::unique_ptr<ChooserService> choosers;
    std::unique_ptr<SystemPower> power;
    std::unique_ptr<DisplayModeService> displayModes;
    std::unique_ptr<DesktopSettings> desktop;
    std::unique_ptr<MciService> mci;
    std::unique_ptr<ArchiverService> archivers;
    std::unique_ptr<ProgramLauncher> programs;
    std::unique_ptr<DesktopFolders> folders;
    std::unique_ptr<SoundPlayer> sounds;
    std::unique_ptr<Autostart> autostart;
    // Where programs started by name are found; shared with the services
    // that start them. Start-up sets the folders it must leave out.
    std::shared_ptr<ProgramSearch> programSearch;

    Services();
    Services(Services &&) noexcept;
    Services &operator=(Services &&) noexcept;
    ~Services();
};
