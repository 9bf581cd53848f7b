#include "pickers/cls_folder.h"

#include <QFileInfo>

#include "platform/choosers.h"

QString SpecialFolderPath(qint16 folder)
{
    // The computer's drive list is, on Linux, the tree below the root.
    if (folder == clsFolder::ComputerFolder)
        return QStringLiteral("/");
    return {};
}

QString clsFolder::FolderName(QWidget *owner)
{
    const bool atInitial = !initialFolder_.isEmpty() && QFileInfo(initialFolder_).isDir();
    return choosers_.chooseFolder(owner, dialogTitle_, atInitial ? initialFolder_ : SpecialFolderPath(rootFolder_));
}
