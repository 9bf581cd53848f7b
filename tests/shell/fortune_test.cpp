// The fortune message of a double click.
#include <set>

#include <gtest/gtest.h>

#include "settings/context.h"
#include "shell/fortune.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"

namespace {

TEST(FortuneTest, TheThirtyPhrasesAreDistinctAndKeepTheirNumbers)
{
    const auto &messages = FortuneMessages();
    EXPECT_EQ(std::set<QString>(messages.begin(), messages.end()).size(), 30u);
    EXPECT_EQ(messages[0], "最高にハッピー♪");
    EXPECT_EQ(messages[11], "宇宙ジンに出会いそうです。");
    EXPECT_EQ(messages[23], "貧弱ーーーっ");
    EXPECT_EQ(messages[29], "それしかない！");
}

TEST(FortuneTest, EachClickShowsOnePhraseInATockaraBoxAndAllThirtyAppear)
{
    TempFolder folder;
    FakeServices fakes;
    Context ctx(fakes.services, folder.path());

    const int clicks = 600;
    for (int i = 0; i < clicks; ++i) {
        ShowFortune(ctx, nullptr);
        // Clicks come at irregular moments: a second and a few milliseconds apart.
        fakes.clock->current = fakes.clock->current.addMSecs(1000 + 37 * (i % 11));
    }

    ASSERT_EQ(fakes.messages->shown.size(), clicks);
    std::set<QString> seen;
    for (const auto &box : fakes.messages->shown) {
        EXPECT_EQ(box.title, "Tockara");
        EXPECT_EQ(box.buttons, MessageButtons::Ok);
        seen.insert(box.text);
    }
    const auto &messages = FortuneMessages();
    EXPECT_EQ(seen, std::set<QString>(messages.begin(), messages.end()));
}

TEST(FortuneTest, NothingIsSaved)
{
    TempFolder folder;
    FakeServices fakes;
    Context ctx(fakes.services, folder.path());
    ctx.settings.Setting.Left = 1234;
    ShowFortune(ctx, nullptr);

    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).isEmpty());
    EXPECT_EQ(ctx.settings.Setting.Left, 1234);
    EXPECT_EQ(ctx.PageRequest, 0);
}

} // namespace
