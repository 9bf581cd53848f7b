#pragma once
// The version page: the program's name with its drop shadow, its version,
// the credits and the program's icon, on the window itself (no page frame of
// its own in the original; here a frame that covers the window's surface).
#include "settings_window/ui/settings_page.h"

class QLabel;

class VersionPage : public SettingsPage {
public:
    explicit VersionPage(const PageEnvironment &environment);
    // DSP0 ← "Ver" with this build's version.
    void Open() override;

private:
    QLabel *version_;
};

// バージョン (PageRequest 4).
PageDefinition VersionPageDefinition();
