#pragma once
// Applying an environment definition to the running clock: the figure, the
// scrolling background, and the overrides that change the user's settings.
#include "settings/environment.h"
#include "settings/settings_store.h"

class AnalogFace;
class FaceAnimation;

// Reads the definition named by "Anime" "File" (when "Anime" "Enabled" is
// on) and applies it: resets the figure, takes the patterns, scroll settings
// and sheet (no loadable sheet: no patterns), stores the overrides (the
// store saves them and announces what they changed, a new size among it, so
// the clock window reshapes itself), and applies the face colour, which
// recomposes the background with the environment's picture and scrolling.
void LoadEnvironment(SettingsStore &store, FaceAnimation &animation, AnalogFace &face);

// Copies every non-empty, numeric override of the definition into settings
// ("BackGround" also switches the picture on when it names another file).
// A clock width or height outside 1..kMaxClockSide is ignored. Returns true
// when the clock's size changed.
bool ApplyEnvironmentOverrides(const EnvironmentDefinition &environment, Settings &settings);
