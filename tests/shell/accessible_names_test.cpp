// Every page of the settings window, the memo and the diary, as a screen
// reader meets them: each field, list and swatch has a name, chooser buttons
// say what they choose, and no two swatches of a page share a name.
#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "calendar/ui/note_window.h"
#include "context/context.h"
#include "context/pages.h"
#include "settings_window/settings_window_state.h"
#include "settings_window/ui/accessible_names.h"
#include "settings_window/ui/color_swatch.h"
#include "settings_window/ui/settings_window.h"
#include "shell/features.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"
#include "support/test_feature_host.h"

namespace {

// What is wrong with the names below window, one text per fault.
QStringList NamingFaults(const QWidget &window)
{
    QStringList faults, swatches;
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        const bool field = qobject_cast<QLineEdit *>(widget) || qobject_cast<QPlainTextEdit *>(widget)
                        || qobject_cast<QComboBox *>(widget) || qobject_cast<ColorSwatch *>(widget);
        if (field && widget->accessibleName().isEmpty())
            faults << widget->objectName() + " has no name";
        if (qobject_cast<ColorSwatch *>(widget)) {
            if (swatches.contains(widget->accessibleName()))
                faults << widget->objectName() + " shares its name " + widget->accessibleName();
            swatches << widget->accessibleName();
        }
        auto *button = qobject_cast<QAbstractButton *>(widget);
        if (button && button->text() == "..."
            && !QStringList{"ファイルを選ぶ", "フォルダを選ぶ"}.contains(button->accessibleName()))
            faults << button->objectName() + " is named '" + button->accessibleName() + "'";
    }
    return faults;
}

struct AccessibleNamesTest : ::testing::Test {
    AccessibleNamesTest() { RegisterFeatures(features.host); }
    TempFolder folder;
    FakeServices fakes;
    Context ctx{fakes.services, folder.path()};
    TestFeatureHost features{ctx};
    SettingsWindowState state;
};

TEST_F(AccessibleNamesTest, EveryPageTheMemoAndTheDiaryNameTheirControls)
{
    ASSERT_GE(features.pages.pages().size(), 12);
    for (const PageDefinition *page : features.pages.pages()) {
        ctx.PageRequest = page->request;
        SettingsWindow window(ctx, state, features.pages);
        EXPECT_EQ(NamingFaults(window), QStringList()) << page->frame.toStdString();
    }
    for (qint16 mode : {qint16(PageCalendar), qint16(PageMemo)}) {
        ctx.PageRequest = mode;
        NoteWindow window(ctx);
        EXPECT_EQ(NamingFaults(window), QStringList()) << mode;
        EXPECT_EQ(window.findChild<QPlainTextEdit *>("FLD0")->accessibleName(),
                  mode == PageMemo ? "ちょいメモ" : "日記帳");
    }
}

// The names the pages' labels give, as the rule finds them: chooser buttons
// by the field beside them, the alarm's fields by the unit after them.
TEST_F(AccessibleNamesTest, FieldsAreNamedByTheLabelThatStandsForThem)
{
    const struct { qint16 page; const char *control, *name; } cases[] = {
        {PageAlarm, "FLD2", "時"}, {PageAlarm, "FLD3", "分"}, {PageAlarm, "FLD4", "コメント"},
        {PageLauncher, "FLD11", "作業フォルダ"}, {PageLauncher, "DialogBtn0", "ファイルを選ぶ"},
        {PageLauncher, "DialogBtn1", "フォルダを選ぶ"}, {PageArchive, "FLD12", "解凍先フォルダ"},
        {PageArchive, "DialogBtn2", "フォルダを選ぶ"}, {PageWallpaper, "DialogBtn3", "ファイルを選ぶ"},
        {PageCalendarDisplay, "DspCol5", "背景色"}, {PageDigital, "DspCol0", "日付の文字色"},
        {PageDigital, "DspCol2", "日付の縁取り色"}, {PageDigital, "CMB2", "表示方法"},
    };
    for (const auto &c : cases) {
        ctx.PageRequest = c.page;
        SettingsWindow window(ctx, state, features.pages);
        QWidget *control = window.findChild<QWidget *>(c.control);
        ASSERT_NE(control, nullptr) << c.control;
        EXPECT_EQ(control->accessibleName(), QString::fromUtf8(c.name)) << c.control;
        // The on-screen texts stay as they were.
        if (auto *button = qobject_cast<QAbstractButton *>(control)) {
            EXPECT_EQ(button->text(), "...");
        }
    }
}

// The rule on a page of its own: which label names which field.
TEST(NameControlsFromLabelsTest, TheBuddyThenTheLabelOnTheLeftThenTheOneAbove)
{
    QWidget page;
    auto label = [&](const char *text, int x, int y) {
        auto *l = new QLabel(QString::fromUtf8(text), &page);
        l->move(x, y);
        l->adjustSize();
        return l;
    };
    auto field = [&](int x, int y, int width = 60) {
        auto *f = new QLineEdit(&page);
        f->setGeometry(x, y, width, 20);
        return f;
    };
    label("左", 10, 13);
    QLineEdit *leftNamed = field(60, 10);
    label("遠い", 10, 43);
    label("近い", 60, 43);
    QLineEdit *nearest = field(100, 40);
    label("上", 10, 70);
    QLineEdit *aboveNamed = field(10, 90);
    QLineEdit *unit = field(10, 130, 30);
    label("単位", 45, 133)->setBuddy(unit);
    QLineEdit *named = field(100, 130);
    named->setAccessibleName("そのまま");
    label("遠すぎる", 10, 160);
    QLineEdit *alone = field(10, 230);
    new QLabel(&page);   // a label without text names nothing
    auto *choose = new QPushButton("...", &page);
    choose->setGeometry(72, 90, 24, 20);

    NameControlsFromLabels(&page);
    const struct { QWidget *control; const char *name; } cases[] = {
        {leftNamed, "左"}, {nearest, "近い"}, {aboveNamed, "上"}, {unit, "単位"},
        {named, "そのまま"}, {alone, ""}, {choose, "ファイルを選ぶ"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.control->accessibleName(), QString::fromUtf8(c.name)) << c.name;
    EXPECT_EQ(page.findChildren<QLabel *>()[0]->buddy(), leftNamed) << "the label tells the reader its field";
}

} // namespace
