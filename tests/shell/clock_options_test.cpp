// The clock's options of the オプション submenu: 透明度, クリック透過, 時報.
#include <gtest/gtest.h>
#include <QAction>
#include <QMenu>

#include "context/context.h"
#include "menu/ui/popup_menu.h"
#include "settings/profile.h"
#include "shell/clock_options.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"
#include "support/test_feature_host.h"

namespace {

class ClockOptionsTest : public ::testing::Test {
protected:
    ClockOptionsTest() { RegisterClockOptions(features.host); }

    QAction *item(const QString &array, int index) const { return menu.item(array, index); }
    // The steps whose mark shows, after the menu refreshed its marks.
    QList<int> markedSteps()
    {
        menu.RefreshChecks();
        QList<int> marked;
        for (int step = 100; step >= 30; step -= 10)
            if (item("barOpacity", step)->isChecked())
                marked << step;
        return marked;
    }
    QString saved(const QString &section, const QString &key) const
    {
        return ReadIniValue(section, key, "-", ctx.settingsPath());
    }

    TempFolder folder;
    FakeServices fakes;
    Context ctx{fakes.services, folder.path()};
    TestFeatureHost features{ctx};
    PopupMenu &menu = features.menu;
};

} // namespace

TEST_F(ClockOptionsTest, EachOpacityStepIsSavedAndMarkedAlone)
{
    EXPECT_EQ(markedSteps(), QList<int>{100}) << "an opaque clock at first";
    for (int step : {50, 30, 90, 100}) {
        item("barOpacity", step)->trigger();
        EXPECT_EQ(ctx.settings().Window.Opacity, step);
        EXPECT_EQ(saved("Window", "Opacity"), QString::number(step));
        EXPECT_EQ(markedSteps(), QList<int>{step});
    }
    // A percentage between the steps (typed into the file) marks none.
    ctx.store.Update([](Settings &s) { s.Window.Opacity = 75; });
    EXPECT_TRUE(markedSteps().isEmpty());
}

TEST_F(ClockOptionsTest, ClickThroughAndChimeTurnOnAndOffAndAreSaved)
{
    const struct {
        int index;
        const char *section, *key;
        std::function<qint16(const Settings &)> value;
    } cases[] = {
        {72, "Window", "ClickThrough", [](const Settings &s) { return s.Window.ClickThrough; }},
        {81, "Chime", "Enabled", [](const Settings &s) { return s.Chime.Enabled; }},
    };
    for (const auto &c : cases) {
        QAction *toggle = item("barOPT", c.index);
        for (const bool on : {true, false}) {
            toggle->trigger();
            EXPECT_EQ(c.value(ctx.settings()) != 0, on) << c.key;
            EXPECT_EQ(saved(c.section, c.key), on ? "1" : "0") << c.key;
            menu.RefreshChecks();
            EXPECT_EQ(toggle->isChecked(), on) << c.key;
        }
    }
    // A flag any other number than 0 (an older clock's -1) is on: a click turns it off.
    ctx.store.Update([](Settings &s) { s.Window.ClickThrough = -1; });
    item("barOPT", 72)->trigger();
    EXPECT_EQ(ctx.settings().Window.ClickThrough, 0);
}

TEST_F(ClockOptionsTest, OpacityIsUsableOnlyWhereACompositorDrawsAndSaysWhyNot)
{
    QAction *opacity = menu.submenu("barOPT", 71)->menuAction();
    EXPECT_TRUE(opacity->isEnabled());
    EXPECT_EQ(opacity->text(), "透明度");

    // Asked again before each popup: the compositing manager stopped, then came back.
    fakes.screen->compositor = false;
    emit menu.aboutToPopup();
    EXPECT_FALSE(opacity->isEnabled());
    EXPECT_TRUE(opacity->text().startsWith("透明度"));
    EXPECT_TRUE(opacity->text().contains("合成マネージャーが動いていない")) << opacity->text().toStdString();

    fakes.screen->compositor = true;
    emit menu.aboutToPopup();
    EXPECT_TRUE(opacity->isEnabled());
    EXPECT_EQ(opacity->text(), "透明度");
}
