// The toolkit's own file and folder choosers, where the desktop offers none.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "platform/choosers.h"
#include "platform/linux/linux_services.h"
#include "support/temp_folder.h"

namespace {

// Runs open, which shows a chooser, and hands the chooser to look at once it
// is on the screen; the chooser is then cancelled.
void WithChooser(const std::function<void()> &open, const std::function<void(QFileDialog &)> &look)
{
    bool seen = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        poll.stop();
        seen = true;
        look(*dialog);
        dialog->reject();
    });
    poll.start();
    open();
    EXPECT_TRUE(seen) << "no chooser was shown";
}

// Once the folder is read, the size, type and date columns are as wide as
// what they show, and all four lie within the list's width.
void ExpectColumnsReadWhole(QFileDialog &dialog, int entries)
{
    auto *list = dialog.findChild<QTreeView *>(QStringLiteral("treeView"));
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->model()->rowCount(list->rootIndex()) >= entries; }, 5000));
    QTest::qWait(50);   // the chooser lays out its columns after the folder is read
    const QHeaderView &header = *list->header();
    ASSERT_GE(header.count(), 4);
    for (int column = 1; column < 4; ++column)
        EXPECT_GE(header.sectionSize(column), static_cast<const QAbstractItemView *>(list)->sizeHintForColumn(column)) << "column " << column;
    EXPECT_LE(header.length(), list->viewport()->width()) << dialog.width() << "x" << dialog.height();
}

TEST(Choosers, OpenWideEnoughForEveryColumnAndKeepTheSizeTheUserGave)
{
    TempFolder folder, settings;
    // The toolkit keeps a chooser's columns in its own settings file: this
    // test's are its own, and start empty.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    // A type the toolkit's narrow type column cuts.
    for (const char *name : {"報告書.txt", "backup.verylongextensionname", "x.tar.gz"})
        folder.writeBytes(name, "x");
    Services services = MakeLinuxServices();
    ChooserService &choosers = *services.choosers;
    QSize resized;
    WithChooser([&] { choosers.chooseFile(nullptr, "file", folder.path(), {{"all", "*"}}); },
                [&](QFileDialog &dialog) {
                    ExpectColumnsReadWhole(dialog, 3);
                    dialog.resize(dialog.width() - 40, dialog.height() - 30);
                    resized = dialog.size();
                });
    // The next chooser, a folder chooser too, opens at the size the user gave.
    WithChooser([&] { choosers.chooseFolder(nullptr, "folder", folder.path()); },
                [&](QFileDialog &dialog) {
                    EXPECT_EQ(dialog.size(), resized);
                    EXPECT_EQ(dialog.directory().absolutePath(), folder.path());
                });
}

} // namespace
