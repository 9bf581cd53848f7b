// Only regular files are read from names someone else may have made: FIFOs,
// sockets, devices and folders are refused at once, without waiting.
#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/regular_file.h"
#include "support/non_regular_files.h"
#include "support/temp_folder.h"
#include "support/watchdog.h"

namespace {

// Ends the test program should a refusal wait (a FIFO opened for reading
// waits for a writer for ever).
TEST(RegularFile, WhatIsNoRegularFileIsRefusedAtOnce)
{
    Watchdog watchdog;
    TempFolder folder;
    const QList<NonRegularFile> notRegular = MakeNonRegularFiles(folder, "x.ini");
    ASSERT_EQ(notRegular.size(), 5);
    for (const NonRegularFile &file : notRegular) {
        FileKind kind = FileKind::Regular;
        EXPECT_EQ(KindOfFile(file.path), FileKind::NotRegular) << file.what;
        EXPECT_EQ(OpenRegularFile(file.path, &kind), nullptr) << file.what;
        EXPECT_EQ(kind, FileKind::NotRegular) << file.what;
        const RegularFileBytes read = ReadRegularFile(file.path, 1000);
        EXPECT_FALSE(read.read()) << file.what;
        EXPECT_EQ(read.kind, FileKind::NotRegular) << file.what;
    }

    // What is read: a regular file, through a link too; a missing one is told apart.
    const QString regular = folder.writeBytes("plain.ini", "[A]\r\nk=1\r\n");
    ASSERT_TRUE(QFile::link(regular, folder.file("link.ini")));
    for (const QString &path : {regular, folder.file("link.ini")}) {
        const std::unique_ptr<QFile> opened = OpenRegularFile(path);
        ASSERT_NE(opened, nullptr);
        EXPECT_EQ(opened->readAll(), "[A]\r\nk=1\r\n");
        EXPECT_EQ(ReadRegularFile(path, 1000).bytes, "[A]\r\nk=1\r\n");
    }
    for (const QString &missing : {folder.file("none.ini"), folder.file("plain.ini/below"), QString()})
        EXPECT_EQ(ReadRegularFile(missing, 1000).kind, FileKind::Missing) << missing.toStdString();
}

TEST(RegularFile, AFileAboveTheLimitIsNotRead)
{
    TempFolder folder;
    const struct {
        qsizetype size;
        bool read;
    } cases[] = {{0, true}, {999, true}, {1000, true}, {1001, false}, {50000, false}};
    for (const auto &c : cases) {
        const QString path = folder.writeBytes("f.bin", QByteArray(c.size, 'x'));
        const RegularFileBytes read = ReadRegularFile(path, 1000);
        EXPECT_EQ(read.read(), c.read) << c.size;
        EXPECT_EQ(read.tooLarge, !c.read) << c.size;
        EXPECT_EQ(read.bytes.size(), c.read ? c.size : 0) << c.size;
    }
}

} // namespace
