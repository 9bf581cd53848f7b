// Restart and shutdown questions, the display-mode submenu and setting a mode,
// the version text.
#include <gtest/gtest.h>

#include "desktop/display_mode_menu.h"
#include "desktop/system_actions.h"
#include "settings_window/version_text.h"
#include "support/fake_services.h"

namespace {

TEST(DisplayModeMenuTest, CaptionsAlignSizesInFourCharactersBehindTheMark)
{
    struct Case {
        int tested, width, height, depth;
        QString caption;
    } cases[] = {
        {DisplayChangeDone, 640, 480, 8, "■ 640× 480 8ビット "},
        {DisplayChangeDone, 1024, 768, 16, "■1024× 768 16ビット "},
        {DisplayChangeRestart, 800, 600, 24, "□ 800× 600 24ビット "},
        {DisplayChangeBadMode, 3840, 2160, 32, "－3840×2160 32ビット "},
        {DisplayChangeFailed, 10240, 4320, 30, "－10240×4320 30ビット "},
    };
    for (const Case &c : cases) {
        const DisplayMode mode{c.width, c.height, c.depth};
        EXPECT_EQ(DisplayModeCaption(DisplayModeMark(c.tested), mode), c.caption) << c.width;
    }
}

TEST(DisplayModeMenuTest, EachModeOfTheClocksMonitorIsListedWithItsTestedMark)
{
    FakeDisplayModes displays;
    displays.list = {{1920, 1080, 24, 1}, {1280, 720, 24, 2}, {640, 480, 24, 3}};
    displays.testResults = {{2, DisplayChangeRestart}, {3, DisplayChangeBadMode}};

    const QList<DisplayModeItem> items = BuildResolutionMenu(displays, QPoint(2000, 10));

    EXPECT_EQ(displays.askedAt, QPoint(2000, 10));
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0].caption, "■1920×1080 24ビット ");
    EXPECT_EQ(items[1].caption, "□1280× 720 24ビット ");
    EXPECT_EQ(items[2].caption, "－ 640× 480 24ビット ");
    EXPECT_EQ(items[2].mode.id, 3u);
    EXPECT_TRUE(displays.set.isEmpty()) << "listing never changes the display";

    displays.list.clear();
    EXPECT_TRUE(BuildResolutionMenu(displays, QPoint()).isEmpty());
}

TEST(DisplayModeMenuTest, ChoosingAModeTestsThenSetsItAndReportsOnlyWhatIsNotDone)
{
    struct Case {
        int tested, setResult;
        bool setCalled;
        QString message;
    } cases[] = {
        {DisplayChangeDone, DisplayChangeDone, true, ""},
        {DisplayChangeDone, DisplayChangeRestart, true, "再起動後に、設定が有効になります"},
        {DisplayChangeDone, DisplayChangeFailed, true, "解像度変更に失敗しました"},
        {DisplayChangeBadMode, DisplayChangeDone, false, "解像度変更に失敗しました"},
        {DisplayChangeNotAllowed, DisplayChangeNotAllowed, false,
         "この画面環境では、プログラムから解像度を変更できません。デスクトップの画面設定で変更してください。"},
    };
    for (const Case &c : cases) {
        FakeServices fakes;
        const DisplayMode mode{800, 600, 24, 7};
        fakes.displayModes->testResults[7] = c.tested;
        fakes.displayModes->setResults[7] = c.setResult;

        SetDisplayMode(*fakes.displayModes, *fakes.messages, nullptr, mode);

        ASSERT_EQ(fakes.displayModes->set.size(), c.setCalled ? 1 : 0) << c.message.toStdString();
        if (c.setCalled) {
            EXPECT_TRUE(fakes.displayModes->set[0].second) << "kept for the next start";
        }
        if (c.message.isEmpty()) {
            EXPECT_TRUE(fakes.messages->shown.isEmpty());
            continue;
        }
        ASSERT_EQ(fakes.messages->shown.size(), 1);
        EXPECT_EQ(fakes.messages->shown[0].text, c.message);
        EXPECT_EQ(fakes.messages->shown[0].title, "Tockara");
        EXPECT_EQ(fakes.messages->shown[0].icon, MessageIcon::Information);
        EXPECT_EQ(fakes.messages->shown[0].buttons, MessageButtons::Ok);
    }
}

TEST(SystemActionsTest, RestartAndShutdownAskFirstAndActOnlyOnYes)
{
    struct Case {
        PowerAction action;
        MessageAnswer answer;
        QString question;
        QStringList requests;
    } cases[] = {
        {PowerAction::Restart, MessageAnswer::Yes, "Windowsを再起動しますか？", {"restart"}},
        {PowerAction::Restart, MessageAnswer::No, "Windowsを再起動しますか？", {}},
        {PowerAction::Shutdown, MessageAnswer::Yes, "Windowsを終了しますか？", {"poweroff"}},
        {PowerAction::Shutdown, MessageAnswer::No, "Windowsを終了しますか？", {}},
    };
    for (const Case &c : cases) {
        FakeServices fakes;
        fakes.messages->answers = {c.answer};
        ConfirmPowerAction(c.action, *fakes.messages, *fakes.power, nullptr);
        ASSERT_EQ(fakes.messages->shown.size(), 1);
        EXPECT_EQ(fakes.messages->shown[0].text, c.question);
        EXPECT_EQ(fakes.messages->shown[0].title, "Tockara");
        EXPECT_EQ(fakes.messages->shown[0].buttons, MessageButtons::YesNo);
        EXPECT_EQ(fakes.messages->shown[0].icon, MessageIcon::None);
        EXPECT_EQ(fakes.power->requests, c.requests);
    }
}

TEST(VersionTextTest, MinorAndRevisionFollowTheDotWithoutSeparator)
{
    EXPECT_EQ(VersionText({0, 1, 0}), "Ver0.10");
    EXPECT_EQ(VersionText({1, 2, 3}), "Ver1.23");
    EXPECT_EQ(VersionText({1, 12, 3}), "Ver1.123");
}

} // namespace
