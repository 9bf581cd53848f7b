#pragma once
// A clock window stand-in that records what it was asked to do.
#include <QStringList>
#include <QWidget>

#include "settings/context.h"

class FakeClockActions : public ClockActions {
public:
    void ApplyClockShape() override { calls << "ApplyClockShape"; }
    void ApplyBackColor() override { calls << "ApplyBackColor"; }
    void ComposeBackground() override { calls << "ComposeBackground"; }
    void LoadEnvironment() override { calls << "LoadEnvironment"; }
    void ResetAnimation() override { calls << "ResetAnimation"; }
    void ExitProgram() override { calls << "ExitProgram"; }
    QWidget *clockWindow() override { return &window; }

    QStringList calls;
    QWidget window;
};
