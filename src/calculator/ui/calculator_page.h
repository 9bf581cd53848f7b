#pragma once
// The calculator page of the settings window (電卓, PageRequest 13). The
// calculator's registers belong to the registration and outlive each
// opening of the window.
#include <memory>

#include "settings_window/ui/settings_page.h"

class Calculator;
class CalculatorPanel;
struct FeatureHost;

class CalculatorPage : public SettingsPage {
public:
    CalculatorPage(const PageEnvironment &environment, const std::shared_ptr<Calculator> &calculator);
    // The display restarts at "0".
    void Open() override;
    // Every key of the window reaches the calculator first.
    bool KeyPreview(QKeyEvent *event) override;
    bool KeyReleasePreview(QKeyEvent *event) override;

private:
    CalculatorPanel *panel_;
};

// The calculator page, with registers of its own.
void RegisterCalculator(FeatureHost &host);
