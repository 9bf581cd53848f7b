#pragma once
// Test doubles of the platform services. They record what they were asked and
// answer from scripts the test sets up.
#include <deque>
#include <optional>
#include <QColor>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

#include "platform/choosers.h"
#include "platform/desktop_folders.h"
#include "platform/program_launcher.h"
#include "platform/services.h"

class FakeMessageBoxes : public MessageBoxService {
public:
    struct Shown {
        QString text, title;
        MessageButtons buttons;
        MessageIcon icon;
        bool waited = true;   // shown with show(); false for notify()
    };
    MessageAnswer show(QWidget *owner, const QString &text, const QString &title,
                       MessageButtons buttons, MessageIcon icon) override;
    // Records the box and leaves it open: closeNotified() closes them.
    void notify(QWidget *owner, const QString &text, const QString &title, MessageIcon icon,
                std::function<void()> closed) override;
    // Closes every box notify() left open, oldest first.
    void closeNotified();

    QList<Shown> shown;
    std::deque<std::function<void()>> openNotified;
    // Answers given in turn; when empty, Ok/Yes is answered.
    std::deque<MessageAnswer> answers;
};

class FakeClock : public LocalClock {
public:
    QDateTime now() const override { return current; }
    QDateTime current = QDateTime(QDate(2026, 12, 7), QTime(10, 0, 0));
};

class FakeScreen : public ScreenInfo {
public:
    QRect desktopRect() const override { return desktop; }
    QRect monitorRect(QPoint) const override { return desktop; }
    double twipsPerPixelX() const override { return 15; }
    double twipsPerPixelY() const override { return 15; }
    QPoint pointerPosition() const override { return pointer; }

    QRect desktop = QRect(0, 0, 1024, 768);
    QPoint pointer = QPoint(900, 700);
};

class FakeChoosers : public ChooserService {
public:
    struct FileRequest {
        QString title, initialDir;
        QList<QPair<QString, QString>> filters;
    };
    QString chooseFile(QWidget *owner, const QString &title, const QString &initialDir,
                       const QList<QPair<QString, QString>> &filters) override;
    std::optional<QColor> chooseColor(QWidget *owner, QColor initial) override;
    QString chooseFolder(QWidget *owner, const QString &title, const QString &rootFolder) override;

    QList<FileRequest> fileRequests;
    int colorRequests = 0;
    int folderRequests = 0;
    // Results handed out in turn; an empty queue means the user cancelled.
    std::deque<QString> files;
    std::deque<QColor> colors;
    std::deque<QString> folders;
};

class FakeProgramLauncher : public ProgramLauncher {
public:
    enum class Call { Start, ShellOpen, FindExecutable };
    struct Request {
        Call call;
        QString target;
        QStringList arguments;
        QString workFolder;
    };
    int startProgram(const QString &program, const QStringList &arguments,
                     const QString &workFolder) override;
    int shellOpen(const QString &target, const QStringList &arguments,
                  const QString &workFolder) override;
    QString findExecutable(const QString &file, const QString &workFolder) override;

    QList<Request> requests;
    // Results handed out in turn; when empty, success (and no program found).
    std::deque<int> startResults;
    std::deque<int> openResults;
    std::deque<QString> executables;
};

class FakeDesktopFolders : public DesktopFolders {
public:
    QString specialFolderPath(SpecialFolder folder) override { return special.value(int(folder)); }
    QStringList listFolder(const QString &folder, bool withFolders) override;
    QStringList recentFiles() override { return recent; }
    QList<MountedDrive> mountedDrives() override { return drives; }

    QHash<int, QString> special;                 // by SpecialFolder number
    QHash<QString, QStringList> files, folders;  // names by listed folder
    QStringList recent;
    QList<MountedDrive> drives;
};

// A full set of fake services; the typed pointers reach the fakes.
struct FakeServices {
    FakeServices();
    Services services;
    FakeMessageBoxes *messages;
    FakeClock *clock;
    FakeScreen *screen;
    FakeChoosers *choosers;
    FakeProgramLauncher *programs;
    FakeDesktopFolders *folders;
};
