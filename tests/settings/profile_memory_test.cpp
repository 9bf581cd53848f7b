// A parsed profile file costs a small multiple of its size, whatever its
// shape: the text is kept once, lines and sections cost a few words each.
#include <gtest/gtest.h>

#include "settings/profile.h"
#include "settings/profile_file.h"

namespace {

QByteArray Repeated(int count, const std::function<QByteArray(int)> &line)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += line(i);
    bytes.squeeze();  // the file's bytes as read: no room to spare
    return bytes;
}

TEST(ProfileMemory, AParsedFileCostsASmallMultipleOfItsSize)
{
    const struct {
        const char *shape;
        QByteArray bytes;
        double most;   // bytes held per byte of the file
    } cases[] = {
        {"a section per launcher entry",
         Repeated(60000, [](int i) { return "[Launcher" + QByteArray::number(i) + "]\r\nFile=/home/user/f.txt\r\n"; }), 3},
        {"one section of many keys",
         "[Lunch]\r\n" + Repeated(100000, [](int i) { return "Entry" + QByteArray::number(i) + "=/usr/bin/x\r\n"; }), 3},
        {"a year of diary days", Repeated(366, [](int i) {
             return "[" + QByteArray::number(i) + "]\r\n" + Repeated(10, [](int n) {
                 return QByteArray::number(n) + "=\x8d\xa1\x93\xfa\x82\xcd\x95\\\x8c\x76\x8e\x5a\r\n";
             });
         }), 3},
        {"blank lines only", QByteArray(kMaxProfileFileBytes, '\n'), 1.1},
        {"text lines and lone CRs", Repeated(200000, [](int) { return QByteArray("text\r"); }), 1.1},
        {"empty sections", Repeated(500000, [](int) { return QByteArray("[]\n"); }), 9},
        {"empty keys", "[A]\n" + Repeated(500000, [](int) { return QByteArray("k=\n"); }), 6},
        {"UTF-16", "\xFF\xFE" + Repeated(50000, [](int) { return QByteArray("[\0A\0]\0\r\0\n\0k\0=\0v\0\r\0\n\0", 20); }), 3},
    };
    for (const auto &c : cases) {
        ASSERT_LE(c.bytes.size(), kMaxProfileFileBytes) << c.shape;
        const ProfileFile file = ProfileFile::parse(c.bytes);
        EXPECT_LE(double(file.memoryBytes()), c.most * double(c.bytes.size()) + 4096) << c.shape;
        EXPECT_EQ(file.serialize().size(), ProfileFile::parse(file.serialize()).serialize().size()) << c.shape;
    }
}

} // namespace
