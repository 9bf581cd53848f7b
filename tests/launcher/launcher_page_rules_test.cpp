// The launcher page's rules: checks, messages and immediate saving.
#include <gtest/gtest.h>
#include <QFile>

#include "launcher/launcher_page_rules.h"
#include "settings/profile.h"
#include "support/environment_value.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"

namespace {

class LunchPage : public ::testing::Test {
protected:
    LunchPage()
    {
        QDir(root).mkpath("work");
        QFile(root + "/tool.sh").open(QIODevice::WriteOnly);
        store.RebuildLauncherMenu = [this](int oldCount) { rebuilds << oldCount; };
    }
    QStringList shownTexts() const
    {
        QStringList texts;
        for (const auto &shown : fake.messages->shown)
            texts << shown.text;
        return texts;
    }
    void fill(int count)
    {
        LauncherList list;
        for (int i = 1; i <= count; ++i)
            list.entries.append({root + "/", "tool", "sh", QString("T%1").arg(i), EntryKind::Program, root});
        SaveLauncherList(list, ini);
        store.Load();
    }

    FakeServices fake;
    TempFolder folder;
    const QString root = folder.path();
    const QString ini = folder.file("Tockara.ini");
    LauncherStore store{ini, *fake.messages};
    QList<int> rebuilds;
    qint16 lunchIndex = 0;
    LauncherPageRules rules{store, lunchIndex, *fake.messages, nullptr};
};

TEST_F(LunchPage, FieldChecksNameTheFieldAndTheFailure)
{
    EnvironmentValue home{"HOME", QFile::encodeName(root)};
    struct Case {
        LunchFields fields;
        QString message;
        std::optional<int> focus;
        std::optional<QString> workFolder;
    } cases[] = {
        {{"", root + "/tool.sh", root}, "タイトルを入力してください。", 9, {}},
        {{"T", root + "/nope.sh", root}, "53:ファイルがありません。", 10, {}},
        {{"T", root + "/no/dir/x", root}, "76:ファイルがありません。", 10, {}},
        {{"T", "", root}, "53:ファイルがありません。", 10, {}},
        {{"T", root + "/tool.sh", ""}, "53:フォルダがありません。", 11, {}},
        {{"T", root + "/tool.sh", root + "/tool.sh"}, "0:フォルダを入力してください。", 11, {}},
        {{"T", root + "/work", ""}, "", {}, root + "/work"},
        {{"T", root + "/tool.sh", root + "/work"}, "", {}, {}},
        // "~/" paths are below the home folder, as on the other pages.
        {{"T", "~/tool.sh", "~/work"}, "", {}, {}},
        {{"T", "~/work", ""}, "", {}, root + "/work"},
        {{"T", "~/nope.sh", root}, "53:ファイルがありません。", 10, {}},
        {{"T", "~/tool.sh", "~/tool.sh"}, "0:フォルダを入力してください。", 11, {}},
    };
    for (const Case &c : cases) {
        fake.messages->shown.clear();
        const LunchOutcome outcome = rules.CheckLunchFields(c.fields);
        EXPECT_EQ(shownTexts().join(""), c.message) << c.fields.file.toStdString();
        EXPECT_EQ(outcome.focus, c.focus) << c.fields.file.toStdString();
        EXPECT_EQ(outcome.workFolderText, c.workFolder) << c.fields.file.toStdString();
    }
}

TEST_F(LunchPage, AddSavesAtOnceAndShowsTheNewEntry)
{
    fill(19);
    const LunchOutcome outcome = rules.Add({"新しい", root + "/tool.sh", root + "/work"});
    EXPECT_TRUE(outcome.listChanged);
    EXPECT_EQ(outcome.select, 19);
    EXPECT_EQ(rebuilds, QList<int>{19});
    EXPECT_EQ(store.list().entries.last(),
              LauncherEntry({root + "/", "tool", "sh", "新しい", EntryKind::Program, root + "/work"}));
    EXPECT_EQ(ReadIniValue("Lunch", "Count", "", ini), "20");

    const LunchOutcome full = rules.Add({"21", root + "/tool.sh", root + "/work"});
    EXPECT_FALSE(full.listChanged);
    EXPECT_EQ(shownTexts(), QStringList{"登録できる件数は、２０ファイルまでです。"});
    EXPECT_EQ(store.LauncherCount(), 20);
}

TEST_F(LunchPage, AnEntryTypedBelowTheHomeFolderIsStoredWhole)
{
    EnvironmentValue home{"HOME", QFile::encodeName(root)};
    ASSERT_TRUE(rules.Add({"家", "~/tool.sh", "~/work"}).listChanged);
    EXPECT_EQ(store.list().entries.last(),
              LauncherEntry({root + "/", "tool", "sh", "家", EntryKind::Program, root + "/work"}));
}

TEST_F(LunchPage, ChangeAndDeleteAskFirstAndDoNothingOnNo)
{
    EXPECT_FALSE(rules.Change({"x", root + "/tool.sh", root}).listChanged);
    EXPECT_FALSE(rules.Delete().listChanged);
    EXPECT_TRUE(fake.messages->shown.isEmpty());   // an empty list asks nothing

    fill(2);
    rules.Select(1);
    fake.messages->answers = {MessageAnswer::No, MessageAnswer::No};
    EXPECT_FALSE(rules.Change({"x", root + "/tool.sh", root}).listChanged);
    EXPECT_FALSE(rules.Delete().listChanged);
    EXPECT_EQ(shownTexts(), QStringList({"T2を変更しますか？", "T2を削除しますか？"}));
    EXPECT_TRUE(rebuilds.isEmpty());

    const LunchOutcome changed = rules.Change({"x", root + "/tool.sh", root});
    EXPECT_EQ(changed.select, 1);
    EXPECT_EQ(store.list().entries[1].title, "x");
    EXPECT_EQ(rebuilds, QList<int>{2});

    // A refused change keeps the selection where it is.
    const LunchOutcome refused = rules.Change({"", root + "/tool.sh", root});
    EXPECT_EQ(refused.focus, 9);
    EXPECT_FALSE(refused.select);
}

TEST_F(LunchPage, DeletingTheLastEntryLeavesNoSelection)
{
    fill(2);
    rules.Select(0);
    EXPECT_EQ(rules.Delete().select, 0);
    EXPECT_EQ(rules.Titles(), QStringList{"T2"});
    const LunchOutcome last = rules.Delete();
    EXPECT_TRUE(last.listChanged);
    EXPECT_FALSE(last.select);
    EXPECT_EQ(lunchIndex, 0);
    EXPECT_EQ(rebuilds, QList<int>({2, 1}));
    EXPECT_EQ(ReadIniValue("Lunch", "Count", "", ini), "0");
}

TEST_F(LunchPage, EntriesShowByKind)
{
    const LunchEntryView program = ViewOfEntry({"/bin/", "tool", "", "T", EntryKind::Program, "/w"});
    EXPECT_EQ(program.fields, LunchFields({"T", "/bin/tool", "/w"}));
    EXPECT_TRUE(program.workFolderEnabled);
    const LunchEntryView music = ViewOfEntry({"/music", "", "", "M", EntryKind::Folder, "/music"});
    EXPECT_EQ(music.fields.file, "/music");
    EXPECT_FALSE(music.workFolderEnabled);
}

} // namespace
