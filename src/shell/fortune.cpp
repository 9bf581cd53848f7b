#include "shell/fortune.h"

#include <random>

#include "platform/local_clock.h"
#include "platform/message_box.h"

const std::array<QString, 30> &FortuneMessages()
{
    static const std::array<QString, 30> messages = {
        QStringLiteral("最高にハッピー♪"),
        QStringLiteral("まずまずです"),
        QStringLiteral("最悪の事態です"),
        QStringLiteral("平凡な日々"),
        QStringLiteral("王様の気分です"),
        QStringLiteral("ちょっぴり、ハッピー"),
        QStringLiteral("ちょい、ブルー"),
        QStringLiteral("明日は晴れだ！！"),
        QStringLiteral("うんちを踏みそう！？"),
        QStringLiteral("水難の相がでています"),
        QStringLiteral("茶柱がたった気分"),
        QStringLiteral("宇宙ジンに出会いそうです。"),
        QStringLiteral("いいことあるかも・・"),
        QStringLiteral("戸締り用心。火の用心"),
        QStringLiteral("うっかりハチベエにご用心"),
        QStringLiteral("やったね！！"),
        QStringLiteral("ハラヘリ、ヒラハレ"),
        QStringLiteral("まずは、笑休止"),
        QStringLiteral("北北西に進路をとれ"),
        QStringLiteral("誰かに電話をしてください"),
        QStringLiteral("一人でほくそ笑む"),
        QStringLiteral("誰かにメールを出そう。"),
        QStringLiteral("明日に向かって・その一"),
        QStringLiteral("貧弱ーーーっ"),
        QStringLiteral("始めチョロチョロ、中パッパ"),
        QStringLiteral("肉球すき？"),
        QStringLiteral("アタックあるのみ"),
        QStringLiteral("当たって、砕け散ってしまえ"),
        QStringLiteral("ナイス！"),
        QStringLiteral("それしかない！"),
    };
    return messages;
}

void ShowFortune(MessageBoxService &messages, const LocalClock &clock, QWidget *owner)
{
    // Seeded from the clock on every click, to the millisecond, so two clicks
    // a moment apart give unrelated picks.
    const qint64 now = clock.now().toMSecsSinceEpoch();
    std::seed_seq seed{quint32(now), quint32(quint64(now) >> 32)};
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> pick(0, int(FortuneMessages().size()) - 1);

    messages.show(owner, FortuneMessages()[pick(generator)], QStringLiteral("Tockara"),
                  MessageButtons::Ok, MessageIcon::None);
}
