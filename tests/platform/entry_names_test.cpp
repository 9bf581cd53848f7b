// Stored entry names of archives as paths below the target folder.
#include <gtest/gtest.h>

#include "platform/linux/archive_entries.h"

namespace {

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
