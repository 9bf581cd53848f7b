// The fortune message of a double click.
#include <set>

#include <gtest/gtest.h>
#include <QDir>

#include "shell/fortune.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"

namespace {

// The phrases by number, written out here so that a changed or reordered
// phrase in the program shows.
const QStringList kPhrases = {
    "最高にハッピー♪", "まずまずです", "最悪の事態です", "平凡な日々", "王様の気分です",
    "ちょっぴり、ハッピー", "ちょい、ブルー", "明日は晴れだ！！", "うんちを踏みそう！？",
    "水難の相がでています", "茶柱がたった気分", "宇宙ジンに出会いそうです。",
    "いいことあるかも・・", "戸締り用心。火の用心", "うっかりハチベエにご用心", "やったね！！",
    "ハラヘリ、ヒラハレ", "まずは、笑休止", "北北西に進路をとれ", "誰かに電話をしてください",
    "一人でほくそ笑む", "誰かにメールを出そう。", "明日に向かって・その一", "貧弱ーーーっ",
    "始めチョロチョロ、中パッパ", "肉球すき？", "アタックあるのみ", "当たって、砕け散ってしまえ",
    "ナイス！", "それしかない！",
};

TEST(FortuneTest, ThePhrasesKeepTheirTextsAndNumbers)
{
    const auto &messages = FortuneMessages();
    EXPECT_EQ(QStringList(messages.begin(), messages.end()), kPhrases);
}

TEST(FortuneTest, EachClickShowsOnePhraseInATockaraBoxAndAllThirtyAppearNothingSaved)
{
    TempFolder folder;
    FakeServices fakes;
    const int clicks = 600;
    for (int i = 0; i < clicks; ++i) {
        ShowFortune(*fakes.messages, *fakes.clock, nullptr);
        // Clicks come at irregular moments: a second and a few milliseconds apart.
        fakes.clock->current = fakes.clock->current.addMSecs(1000 + 37 * (i % 11));
    }

    ASSERT_EQ(fakes.messages->shown.size(), clicks);
    QSet<QString> seen;
    for (const auto &box : fakes.messages->shown) {
        EXPECT_EQ(box.title, "Tockara");
        EXPECT_EQ(box.buttons, MessageButtons::Ok);
        EXPECT_TRUE(box.waited);
        seen.insert(box.text);
    }
    EXPECT_EQ(seen, QSet<QString>(kPhrases.begin(), kPhrases.end()));
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

} // namespace
