#pragma once
// The folder chooser, set up through plain properties and run in one call.
// Cancelling gives empty text.
#include <QString>

class ChooserService;
class QWidget;

class clsFolder {
public:
    // The special folder the program browses from: the whole computer.
    static constexpr qint16 ComputerFolder = 17;

    explicit clsFolder(ChooserService &choosers) : choosers_(choosers) {}

    // The instruction shown in the chooser.
    QString DialogTitle() const { return dialogTitle_; }
    void setDialogTitle(const QString &title) { dialogTitle_ = title; }

    // Number of the special folder the chooser starts from (17, the computer).
    qint16 RootFolder() const { return rootFolder_; }
    void setRootFolder(qint16 folder) { rootFolder_ = folder; }

    // The folder the chooser opens in when it exists (the folder its field
    // names); otherwise it opens at the root folder.
    QString InitialFolder() const { return initialFolder_; }
    void setInitialFolder(const QString &folder) { initialFolder_ = folder; }

    // Runs the folder chooser owned by owner; the chosen folder's path, or
    // empty text when the user cancelled.
    QString FolderName(QWidget *owner);

private:
    ChooserService &choosers_;
    QString dialogTitle_;
    qint16 rootFolder_ = 0;
    QString initialFolder_;
};

// The path a special-folder number stands for: the file system root for the
// computer (17); empty text (the chooser's own starting place) for the others.
QString SpecialFolderPath(qint16 folder);
