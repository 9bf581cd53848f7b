// Every page of the settings window, the memo and the diary, as a screen
// reader and the keyboard meet them: each field, list and swatch has a name
// that the reader is told, chooser buttons say what they choose, no two
// lists, swatches or check boxes of a page sound the same, and Tab goes
// through each page in the order it reads.
#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
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

// What is wrong with the names below window, one text per fault: as the
// widgets hold them and as a screen reader is told them.
QStringList NamingFaults(const QWidget &window)
{
    QStringList faults, names;
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        const bool field = qobject_cast<QLineEdit *>(widget) || qobject_cast<QPlainTextEdit *>(widget)
                        || qobject_cast<QComboBox *>(widget) || qobject_cast<ColorSwatch *>(widget);
        if (field && widget->accessibleName().isEmpty())
            faults << widget->objectName() + " has no name";
        // Lists, swatches and check boxes are read by their names alone; no
        // two of a window may sound the same.
        if (qobject_cast<QComboBox *>(widget) || qobject_cast<ColorSwatch *>(widget)
            || qobject_cast<QCheckBox *>(widget)) {
            const QAccessibleInterface *read = QAccessible::queryAccessibleInterface(widget);
            const QString heard = read ? read->text(QAccessible::Name) : QString();
            if (names.contains(heard))
                faults << widget->objectName() + " shares its name " + heard;
            names << heard;
            if (!widget->accessibleName().isEmpty() && heard != widget->accessibleName())
                faults << widget->objectName() + " is read as '" + heard + "', not '" + widget->accessibleName() + "'";
            const QAccessible::Role role = qobject_cast<ColorSwatch *>(widget) ? QAccessible::Button
                                         : qobject_cast<QComboBox *>(widget) ? QAccessible::ComboBox
                                                                             : QAccessible::CheckBox;
            if (!read || read->role() != role)
                faults << widget->objectName() + " is read as another kind of control";
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
        {PageDigital, "DspCol2", "日付の縁取り色"}, {PageDigital, "CMB1", "日付の表示方法"},
        {PageDigital, "CMB2", "時刻の表示方法"}, {PageDigital, "CHK3", "日付の縁取り"},
        {PageDigital, "CHK4", "時刻の縁取り"}, {PageCalendarDisplay, "CMB3", "日の種類"},
    };
    for (const auto &c : cases) {
        ctx.PageRequest = c.page;
        SettingsWindow window(ctx, state, features.pages);
        QWidget *control = window.findChild<QWidget *>(c.control);
        ASSERT_NE(control, nullptr) << c.control;
        EXPECT_EQ(control->accessibleName(), QString::fromUtf8(c.name)) << c.control;
        EXPECT_EQ(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name),
                  QString::fromUtf8(c.name)) << c.control;
        // The on-screen texts stay as they were.
        if (auto *button = qobject_cast<QPushButton *>(control)) {
            EXPECT_EQ(button->text(), "...");
        }
        if (auto *box = qobject_cast<QCheckBox *>(control)) {
            EXPECT_EQ(box->text(), "縁取り");
        }
    }
}

// The controls Tab reaches in window, in order.
QList<QWidget *> TabChain(QWidget &window)
{
    QList<QWidget *> chain;
    for (QWidget *widget = window.nextInFocusChain(); widget != &window; widget = widget->nextInFocusChain()) {
        if ((widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && widget->isEnabled()
            && widget->isVisibleTo(&window) && !widget->focusProxy())
            chain << widget;
    }
    return chain;
}

// Tab goes from a field to the chooser of its row, and stops at one option
// of each group: the checked one, where the arrows go on.
TEST_F(AccessibleNamesTest, TabGoesFromEachFieldToItsChooserAndToTheCheckedOption)
{
    for (const PageDefinition *page : features.pages.pages()) {
        ctx.PageRequest = page->request;
        SettingsWindow window(ctx, state, features.pages);
        const QList<QWidget *> chain = TabChain(window);
        for (qsizetype at = 0; at < chain.size(); ++at) {
            auto *chooser = qobject_cast<QAbstractButton *>(chain[at]);
            if (!chooser || chooser->text() != "...")
                continue;
            const QWidget *before = at > 0 ? chain[at - 1] : nullptr;
            const bool beside = qobject_cast<const QLineEdit *>(before)
                                && before->geometry().top() <= chooser->geometry().center().y()
                                && chooser->geometry().center().y() <= before->geometry().bottom();
            EXPECT_TRUE(beside) << page->frame.toStdString() << ": " << chooser->objectName().toStdString()
                                << " after " << (before ? before->objectName().toStdString() : "nothing");
        }
        for (QRadioButton *option : window.findChildren<QRadioButton *>()) {
            QList<QRadioButton *> group;
            for (QObject *sibling : option->parentWidget()->children())
                if (auto *other = qobject_cast<QRadioButton *>(sibling))
                    group << other;
            QRadioButton *checked = nullptr;
            for (QRadioButton *other : group)
                if (other->isChecked())
                    checked = other;
            const bool stop = option == (checked ? checked : group.first());
            EXPECT_EQ(chain.contains(option), stop) << page->frame.toStdString() << ": "
                                                    << option->objectName().toStdString();
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
