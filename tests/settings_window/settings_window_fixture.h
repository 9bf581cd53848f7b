#pragma once
// A settings window opened on one page over a temporary program folder, fake
// services and a stand-in clock window.
#include <gtest/gtest.h>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "settings/context.h"
#include "settings_window/settings_window.h"
#include "settings_window/settings_window_state.h"
#include "support/fake_clock_actions.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"

using RecordingClock = FakeClockActions;

class SettingsWindowTest : public ::testing::Test {
protected:
    SettingsWindowTest() : ctx(fakes.services, folder.path())
    {
        ctx.clock = &clock;
        clock.settingsPath = ctx.settingsPath;
    }

    // Builds the window for page as an opening would; the repeat timer is
    // stopped so only the test's own ticks step a spin button.
    SettingsWindow &open(qint16 page)
    {
        ctx.PageRequest = page;
        window = std::make_unique<SettingsWindow>(ctx, state);
        window->findChild<QTimer *>("TMC")->stop();
        return *window;
    }

    template <typename T = QWidget>
    T *control(const QString &name) const
    {
        T *found = window->findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QLineEdit *field(int index) const { return control<QLineEdit>(QStringLiteral("FLD%1").arg(index)); }
    void type(int fieldIndex, const QString &text) const { field(fieldIndex)->setText(text); }
    void click(const QString &button) const { control<QAbstractButton>(button)->click(); }

    // The settings as the file on disk holds them now.
    Settings saved() const
    {
        Settings fromDisk;
        LoadSettings(fromDisk, ctx.settingsPath, ctx.programFolder);
        return fromDisk;
    }
    bool savedFileExists() const { return QFile::exists(ctx.settingsPath); }

    TempFolder folder;
    FakeServices fakes;
    Context ctx;
    RecordingClock clock;
    SettingsWindowState state;
    std::unique_ptr<SettingsWindow> window;
};
