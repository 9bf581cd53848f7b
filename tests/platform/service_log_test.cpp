// A system service that fails says why in the log, under the category of
// its kind, so that a user can tell why nothing happened.
#include <gtest/gtest.h>

#include <functional>

#include "platform/linux/desktop_autostart.h"
#include "platform/linux/desktop_wallpaper.h"
#include "platform/linux/linux_services.h"
#include "platform/linux/on_demand_module.h"
#include "support/environment_value.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

namespace {

// A shell script with body in folder, executable.
QString Script(const TempFolder &folder, const QString &name, const QByteArray &body)
{
    const QString path = folder.writeBytes(name, "#!/bin/sh\n" + body + "\n");
    QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

QString Logged(const LogCapture &log)
{
    QString text = "logged:";
    for (const LogCapture::Message &m : log.messages())
        text += "\n  " + m.category + ": " + m.text;
    return text;
}

struct Failure {
    const char *what;
    const char *category;
    const char *said;  // part of the warning: the service's own reason where it gives one
    std::function<bool(const TempFolder &)> fails;
};

TEST(ServiceLog, FailingServicesWarnWithTheirReason)
{
    const Failure failures[] = {
        {"a module that is nowhere", "tockara.platform", "module absent could not be loaded",
         [](const TempFolder &) { return !ResolveOnDemandModule("absent", "entry"); }},
        {"a desktop tool that fails", "tockara.desktop", "exit code 3 settings locked",
         [](const TempFolder &) {
             return !MakeSystemDesktopTools()->run("sh", {"-c", "echo settings locked >&2; exit 3"});
         }},
        // What 7-Zip says may hold the archive's names: no control character
        // reaches the terminal.
        {"7-Zip that cannot read the archive", "tockara.archive", "exit code 2: ERROR: not an ARJ?[2J archive",
         [](const TempFolder &f) {
             const QString program =
                 Script(f, "bin/7zz", "printf 'Scanning\\nERROR: not an ARJ\\033[2J archive\\n' >&2; exit 2");
             const QString archive = f.writeBytes("data.arj", "no archive");
             const auto report = MakeLinuxArchivers({program})->run("UNARJ32J", {"x", archive, f.file("out")});
             return report && report->result == kArchiverUnreadable;
         }},
        {"7-Zip that is missing", "tockara.archive", "is not installed",
         [](const TempFolder &f) {
             return !MakeLinuxArchivers({f.file("bin/7zz")})->run("UNARJ32J", {"x", "a.arj", f.path()});
         }},
        {"a program whose interpreter is missing", "tockara.platform", "did not start",
         [](const TempFolder &f) {
             f.writeBytes("prog.sh", "#!/nonexistent/interpreter\n");
             QFile(f.file("prog.sh")).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
             return MakeLinuxProgramLauncher()->startProgram(f.file("prog.sh"), {}, f.path())
                 == StartResult::Failed;
         }},
        {"a document without xdg-open", "tockara.platform", "xdg-open is not installed",
         [](const TempFolder &f) {
             const EnvironmentValue path("PATH", QFile::encodeName(f.file("empty")));
             const QString document = f.writeBytes("notes.txt", "text");
             return MakeLinuxProgramLauncher()->shellOpen(document, {}, f.path())
                 == ShellResult::NoOpener;
         }},
        {"an autostart folder that cannot be made", "tockara.desktop", "could not be made",
         [](const TempFolder &f) {
             const EnvironmentValue config("XDG_CONFIG_HOME", QFile::encodeName(f.writeBytes("config", "a file")));
             return !DesktopAutostart().setEnabled(true, "/usr/bin/tockara");
         }},
    };
    for (const Failure &failure : failures) {
        SCOPED_TRACE(failure.what);
        const TempFolder folder;
        const LogCapture log;
        EXPECT_TRUE(failure.fails(folder));
        EXPECT_TRUE(log.warned(failure.category, failure.said)) << Logged(log).toStdString();
    }
}

} // namespace
