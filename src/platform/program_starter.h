#pragma once
#include <QString>
#include <QStringList>

// Starting programs directly, never through a shell, so no file name can
// become a command.
class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    // Starts program (a name looked up on PATH, or a path) with arguments in
    // workFolder (empty: the clock's own current folder, which never changes)
    // and returns without waiting for it. Returns 0 when it started, else a
    // failure code: 53 program not found, 76 work folder not found, 5 any
    // other failure.
    virtual int start(const QString &program, const QStringList &arguments,
                      const QString &workFolder) = 0;
};
