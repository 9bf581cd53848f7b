#pragma once
// The calculator page of the settings window (電卓, PageRequest 13). The
// calculator's registers belong to the registration and outlive each
// opening of the window.
#include "settings_window/ui/settings_page.h"

class Calculator;
class CalculatorPanel;

class CalculatorPage : public SettingsPage {
public:
    CalculatorPage(const PageEnvironment &environment, Calculator &calculator);
    // The display restarts at "0".
    void Open() override;
    // Every key of the window reaches the calculator first.
    bool KeyPreview(QKeyEvent *event) override;

private:
    CalculatorPanel *panel_;
};

void RegisterCalculatorPage(PageRegistry &pages);
