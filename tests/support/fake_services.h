#pragma once
// Test doubles of the platform services. They record what they were asked and
// answer from scripts the test sets up.
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <QColor>
#include <QDateTime>
#include <QList>
#include <QString>

#include "platform/archivers.h"
#include "platform/choosers.h"
#include "platform/program_starter.h"
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

// Archiver components that extract nothing: they record their calls (from the
// worker thread) and answer from results, 0 when it is empty. While held, a
// call waits until release() so a test can look at the clock meanwhile.
class FakeArchivers : public ArchiverService {
public:
    struct Call {
        QString library;
        QStringList commandLine;
    };
    std::optional<int> run(const QString &library, const QStringList &commandLine) override;
    void hold();
    void release();
    QList<Call> calls() const;
    // Results handed out in turn; nothing stands for "cannot be loaded".
    std::deque<std::optional<int>> results;

private:
    mutable std::mutex mutex_;
    std::condition_variable released_;
    bool held_ = false;
    QList<Call> calls_;
};

class FakeProgramStarter : public ProgramStarter {
public:
    struct Started {
        QString program;
        QStringList arguments;
        QString workFolder;
    };
    int start(const QString &program, const QStringList &arguments, const QString &workFolder) override;
    QList<Started> started;
    // Results handed out in turn; 0 (started) when empty.
    std::deque<int> results;
};

// A full set of fake services; the typed pointers reach the fakes.
struct FakeServices {
    FakeServices();
    Services services;
    FakeMessageBoxes *messages;
    FakeClock *clock;
    FakeScreen *screen;
    FakeChoosers *choosers;
    FakeArchivers *archivers;
    FakeProgramStarter *programStarter;
};
