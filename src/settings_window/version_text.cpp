#include "settings_window/version_text.h"

#include "tockara_version.h"

ProgramVersion CurrentVersion()
{
    return {TOCKARA_VERSION_MAJOR, TOCKARA_VERSION_MINOR, TOCKARA_VERSION_PATCH};
}

QString VersionText(ProgramVersion version)
{
    return "Ver" + QString::number(version.major) + "." + QString::number(version.minor)
         + QString::number(version.revision);
}
