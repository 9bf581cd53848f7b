#include "platform/services.h"

#include "platform/archivers.h"
#include "platform/autostart.h"
#include "platform/choosers.h"
#include "platform/desktop_folders.h"
#include "platform/desktop_settings.h"
#include "platform/display_modes.h"
#include "platform/mci.h"
#include "platform/program_launcher.h"
#include "platform/program_search.h"
#include "platform/sound_player.h"
#include "platform/system_power.h"

Services::Services() = default;
Services::Services(Services &&) noexcept = default;
Services &Services::operator=(Services &&) noexcept = default;
Services::~Services() = default;
