#include "pickers/cls_folder.h"

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
    return choosers_.chooseFolder(owner, dialogTitle_, SpecialFolderPath(rootFolder_));
}
