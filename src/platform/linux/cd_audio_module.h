#pragma once
// The CD audio device lives in the on-demand module "cdaudio" (it needs
// libcdio), loaded at the first command sent to it.
#include <QString>

class MciService;

// The module's entry point: a new interpreter for source (a drive's device
// file or a CD image, or empty for the system's first drive), owned by the
// caller.
extern "C" MciService *tockara_make_cd_audio_mci(const QString *source);
