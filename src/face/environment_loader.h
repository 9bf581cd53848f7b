#pragma once
// Applying an environment definition to the running clock: the figure, the
// scrolling background, and the overrides that change the user's settings.
#include "settings/context.h"
#include "settings/environment.h"
#include "settings/settings.h"  // kMaxClockSide

class AnalogFace;
class FaceAnimation;

// Reads the definition named by "Anime" "File" (when "Anime" "Enabled" is
// on) and applies it: resets the figure, takes the patterns, scroll settings
// and sheet (no loadable sheet: no patterns), applies the overrides, saves the
// settings, reshapes the clock when its size changed and applies the face
// colour, which recomposes the background. The clock's actions go through
// ctx.clock; without a clock window only the face is recoloured.
void LoadEnvironment(Context &ctx, FaceAnimation &animation, AnalogFace &face);

// Copies every non-empty, numeric override of the definition into settings
// ("BackGround" also switches the picture on when it names another file).
// A clock width or height outside 1..kMaxClockSide is ignored. Returns true
// when the clock's size changed.
bool ApplyEnvironmentOverrides(const EnvironmentDefinition &environment, Settings &settings);
