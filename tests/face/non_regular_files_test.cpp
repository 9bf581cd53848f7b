// Every reader of files another program may have made (settings, diaries and
// environment files through the profile engine; face, sheet and wallpaper
// pictures, desktop launchers) reads regular files only: whatever else lies under the name is
// refused at once, read as missing, and left as it is.
#include <gtest/gtest.h>
#include <unistd.h>

#include "face/picture_file.h"
#include "platform/desktop_entry.h"
#include "platform/regular_file.h"
#include "platform/wallpaper_picture.h"
#include "settings/environment.h"
#include "settings/profile.h"
#include "support/non_regular_files.h"
#include "support/temp_folder.h"

namespace {

TEST(NonRegularFiles, EveryReaderRefusesWhatIsNoRegularFileWithoutWaiting)
{
    ::alarm(30);  // a reader that waits on a FIFO ends the test program
    TempFolder folder;
    for (const QString &name : {QStringLiteral("Tockara.ini"), QStringLiteral("walker.dat"),
                                QStringLiteral("face.png"), QStringLiteral("wall.jpg"),
                                QStringLiteral("invoice.pdf.desktop")}) {
        for (const NonRegularFile &file : MakeNonRegularFiles(folder, name)) {
            const std::string what = std::string(file.what) + " " + name.toStdString();
            EXPECT_EQ(ReadIniValue("Setting", "Left", "def", file.path), "def") << what;
            EXPECT_FALSE(WriteIniValue("Setting", "Left", "1", file.path)) << what;
            EXPECT_EQ(KindOfFile(file.path), FileKind::NotRegular) << what << ": left as it was";
            const EnvironmentDefinition env = ReadEnvironment(file.path);
            EXPECT_EQ(env.Pattern, 0) << what;
            EXPECT_EQ(env.Scroll, "OFF") << what;
            EXPECT_TRUE(ReadBoundedPicture(file.path, 4096, 4096 * 4096).isNull()) << what;
            EXPECT_TRUE(ReadWallpaperPicture(file.path, QSize(640, 480), true).isNull()) << what;
            EXPECT_FALSE(WallpaperPictureReadable(file.path)) << what;
            EXPECT_FALSE(ReadDesktopEntryFile(file.path).valid) << what;
        }
    }
    ::alarm(0);

    // The same readers read a regular file of the same names.
    QImage red(4, 3, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(folder.file("face.png")));
    EXPECT_EQ(ReadBoundedPicture(folder.file("face.png"), 4096, 4096 * 4096).size(), QSize(4, 3));
    EXPECT_TRUE(WallpaperPictureReadable(folder.file("face.png")));
    folder.writeBytes("Tockara.ini", "[Setting]\r\nLeft=15\r\n");
    EXPECT_EQ(ReadIniValue("Setting", "Left", "def", folder.file("Tockara.ini")), "15");
    folder.writeBytes("invoice.pdf.desktop", "[Desktop Entry]\nType=Application\nExec=true\n");
    EXPECT_TRUE(ReadDesktopEntryFile(folder.file("invoice.pdf.desktop")).valid);
}

} // namespace
