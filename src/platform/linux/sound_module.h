#pragma once
// The sound player lives in the on-demand module "sound" (it needs the
// toolkit's multimedia library and its back end), loaded at the first sound.

class SoundPlayer;

// The module's entry point: a new player, owned by the caller; made, used
// and destroyed on the application's thread.
extern "C" SoundPlayer *tockara_make_sound_player();
