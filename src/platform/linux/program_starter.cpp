#include "platform/program_starter.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "platform/linux/linux_services.h"

namespace {

class ProcessStarter : public ProgramStarter {
public:
    int start(const QString &program, const QStringList &arguments, const QString &workFolder) override
    {
        if (!workFolder.isEmpty() && !QFileInfo(workFolder).isDir())
            return 76;
        const QString path = program.contains(u'/') ? program : QStandardPaths::findExecutable(program);
        const QFileInfo file(path);
        if (path.isEmpty() || !file.exists())
            return 53;
        if (!file.isFile() || !file.isExecutable())
            return 5;
        QProcess process;
        process.setProgram(file.absoluteFilePath());
        process.setArguments(arguments);
        if (!workFolder.isEmpty())
            process.setWorkingDirectory(workFolder);
        return process.startDetached() ? 0 : 5;
    }
};

} // namespace

std::unique_ptr<ProgramStarter> MakeLinuxProgramStarter()
{
    return std::make_unique<ProcessStarter>();
}
