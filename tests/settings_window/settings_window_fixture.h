#pragma once
// A settings window opened on one page over a temporary program folder and
// fake services, with the window's own pages registered.
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

#include "context/context.h"
#include "settings_window/settings_window_state.h"
#include "settings_window/ui/clock_settings_pages.h"
#include "settings_window/ui/color_swatch.h"
#include "settings_window/ui/settings_window.h"
#include "support/fake_services.h"
#include "support/settings_watch.h"
#include "support/temp_folder.h"
#include "support/test_feature_host.h"

class SettingsWindowTest : public ::testing::Test {
protected:
    SettingsWindowTest() : ctx(fakes.services, folder.path()) { RegisterClockSettings(features.host); }

    // Builds the window for page as an opening would; the repeat timer is
    // stopped so only the test's own ticks step a spin button.
    SettingsWindow &open(qint16 page)
    {
        ctx.PageRequest = page;
        window.reset();
        window = std::make_unique<SettingsWindow>(ctx, state, pages);
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
    void chooseColor(int swatch) const { control<ColorSwatch>(QStringLiteral("DspCol%1").arg(swatch))->ChooseColor(); }
    void preset(const std::function<void(Settings &)> &edit) { Preset(ctx.store, edit); }

    // The settings as the file on disk holds them now.
    Settings saved() const { return SavedSettings(ctx.store, ctx.programFolder); }
    bool savedFileExists() const { return QFile::exists(ctx.settingsPath()); }

    TempFolder folder;
    FakeServices fakes;
    Context ctx;
    SettingsWatch watch{ctx.store, folder.path()};
    TestFeatureHost features{ctx};
    PageRegistry &pages = features.pages;
    SettingsWindowState state;
    std::unique_ptr<SettingsWindow> window;
};
