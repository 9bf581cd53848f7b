// Stored entry names of archives as paths below the target folder.
#include <gtest/gtest.h>

#include <QSet>
#include <QStringEncoder>

#include "platform/linux/archive_entries.h"

namespace {

QByteArray Encoded(const char *codec, const QString &text)
{
    return QStringEncoder(codec)(text);
}

TEST(EntryNames, AreDecodedAsUtf8OrShiftJisAndKeepWhatIsNeither)
{
    const QByteArray cp866 = QByteArray::fromHex("8fe0a8a2a5e22e747874");  // "Привет.txt" in CP866
    const struct {
        QByteArray raw;
        QString name;
        std::optional<QString> shown;  // how it reads in the renamed list
    } cases[] = {
        {"plain.txt", "plain.txt", std::nullopt},
        {QString("日本語/ü.txt").toUtf8(), "日本語/ü.txt", std::nullopt},
        {Encoded("Shift_JIS", "表ソ\\メモ.txt"), "表ソ/メモ.txt", std::nullopt},
        {Encoded("Shift_JIS", "ｶﾀｶﾅ.txt"), "ｶﾀｶﾅ.txt", std::nullopt},
        // Bytes of another code page: those Shift-JIS reads as characters
        // stay characters, the others are kept as numbers.
        {cp866, QStringLiteral("鐘ｨ｢･%E2.txt"), QStringLiteral("鐘ｨ｢･\uFFFD.txt")},
        {QByteArray::fromHex("fffe2e747874"), "%FF%FE.txt", QStringLiteral("\uFFFD\uFFFD.txt")},
        {QByteArray("100%\xff.txt"), "100%25%FF.txt", QStringLiteral("100%\uFFFD.txt")},
        {QByteArray("dir\x81\\x.txt"), "dir\u2015x.txt", std::nullopt},  // 81 5C is a character
        {QByteArray("a\x80/b"), "a%80/b", QStringLiteral("a\uFFFD/b")},
        {QByteArray("end\x81"), "end%81", QStringLiteral("end\uFFFD")},
        // A name that is Shift-JIS keeps its "%" as it is.
        {Encoded("Shift_JIS", "100%表.txt"), "100%表.txt", std::nullopt},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(DecodeEntryName(c.raw), c.name) << c.raw.toHex().constData();
        EXPECT_EQ(UndecodedEntryName(c.raw), c.shown) << c.raw.toHex().constData();
    }
}

TEST(EntryNames, NamesStoredDifferentlyNeverMeet)
{
    // Names that differ only in bytes no code page here reads: each comes
    // out under a name of its own.
    QSet<QString> names;
    int count = 0;
    for (int first = 0x80; first <= 0xFF; ++first) {
        for (const QByteArray &second : {QByteArray(), QByteArray("\xff"), QByteArray("."), QByteArray("%")}) {
            const QByteArray raw = "x" + QByteArray(1, char(first)) + second + ".txt";
            names.insert(DecodeEntryName(raw));
            ++count;
        }
    }
    EXPECT_EQ(names.size(), count);
    EXPECT_FALSE(std::any_of(names.cbegin(), names.cend(),
                             [](const QString &name) { return name.contains(QChar::ReplacementCharacter); }));
}

TEST(EntryNames, APathIsGivenOnlyForNamesThatStayInsideTheTarget)
{
    const struct {
        QString name;
        std::optional<QString> path;
    } cases[] = {
        {"a/./b//c.txt", QString("a/b/c.txt")},
        {"./", QString("")},
        {"/etc/passwd", std::nullopt},
        {"a/../../b", std::nullopt},
        // The system would read "..\0x" as "..": no name with a NUL is taken.
        {QString("..") + QChar(0) + "x", std::nullopt},
        {QString("a") + QChar(0) + "b.txt", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(RelativeEntryPath(c.name), c.path) << qPrintable(c.name);
}

} // namespace
