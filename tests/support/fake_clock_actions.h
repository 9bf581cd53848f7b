#pragma once
// A clock window stand-in that records what it was asked to do and, when
// given the settings path, whether the settings file had been written by
// then ("ComposeBackground after save"), so tests can check the call order.
#include <QFile>
#include <QStringList>
#include <QWidget>

#include "settings/context.h"

class FakeClockActions : public ClockActions {
public:
    void ApplyClockShape() override { note("ApplyClockShape"); }
    void ApplyBackColor() override { note("ApplyBackColor"); }
    void ComposeBackground() override { note("ComposeBackground"); }
    void LoadEnvironment() override { note("LoadEnvironment"); }
    void ResetAnimation() override { note("ResetAnimation"); }
    void ExitProgram() override { note("ExitProgram"); }
    QWidget *clockWindow() override { return &window; }

    QStringList calls;
    QStringList order;     // filled only when settingsPath is set
    QString settingsPath;
    QWidget window;

private:
    void note(const QString &call)
    {
        calls << call;
        if (!settingsPath.isEmpty())
            order << call + (QFile::exists(settingsPath) ? " after save" : " before save");
    }
};
