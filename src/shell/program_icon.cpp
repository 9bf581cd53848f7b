#include "shell/program_icon.h"

QIcon ProgramIcon()
{
    // The sizes window titles, task bars and the version page show. The
    // larger ones are the desktop's (the installed icon theme): decoding them
    // for every window would cost the idle clock more memory than its face.
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48})
        icon.addFile(QStringLiteral(":/icons/tockara-%1.png").arg(size), QSize(size, size));
    return icon;
}
