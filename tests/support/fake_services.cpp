#include "support/fake_services.h"

#include "platform/program_search.h"

MessageAnswer FakeMessageBoxes::show(QWidget *, const QString &text, const QString &title,
                                     MessageButtons buttons, MessageIcon icon)
{
    shown.append({text, title, buttons, icon});
    if (!answers.empty()) {
        MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoDefaultNo ? MessageAnswer::Yes
                                                                                      : MessageAnswer::Ok;
}

void FakeMessageBoxes::notify(QWidget *, const QString &text, const QString &title,
                              MessageIcon icon, std::function<void()> closed)
{
    shown.append({text, title, MessageButtons::Ok, icon, false});
    openNotified.push_back(std::move(closed));
}

void FakeMessageBoxes::ask(QWidget *, const QString &text, const QString &title, const QStringList &choices,
                           int fallback, MessageIcon icon, std::function<void(int)> answered)
{
    shown.append({text, title, MessageButtons::Ok, icon, false, choices});
    int answer = fallback;
    if (!choiceAnswers.empty()) {
        answer = choiceAnswers.front();
        choiceAnswers.pop_front();
    }
    answered(answer);
}

void FakeMessageBoxes::closeNotified()
{
    while (!openNotified.empty()) {
        std::function<void()> closed = std::move(openNotified.front());
        openNotified.pop_front();
        if (closed)
            closed();
    }
}

QString FakeChoosers::chooseFile(QWidget *, const QString &title, const QString &initialDir,
                                 const QList<QPair<QString, QString>> &filters)
{
    fileRequests.append({title, initialDir, filters});
    if (files.empty())
        return {};
    QString chosen = files.front();
    files.pop_front();
    return chosen;
}

std::optional<QColor> FakeChoosers::chooseColor(QWidget *, QColor)
{
    ++colorRequests;
    if (colors.empty())
        return std::nullopt;
    QColor chosen = colors.front();
    colors.pop_front();
    return chosen;
}

QString FakeChoosers::chooseFolder(QWidget *, const QString &, const QString &startFolder)
{
    ++folderRequests;
    folderStarts << startFolder;
    if (folders.empty())
        return {};
    QString chosen = folders.front();
    folders.pop_front();
    return chosen;
}

std::optional<ArchiverReport> FakeArchivers::run(const QString &library, const QStringList &commandLine,
                                                 std::stop_token stop, const ExtractionRules &rules)
{
    std::unique_lock lock(mutex_);
    calls_.append({library, commandLine, rules});
    if (!released_.wait(lock, stop, [this] { return !held_; })) {
        ++cancelled_;
        ArchiverReport report;
        report.note(kArchiverCancelled);
        return report;
    }
    if (results.empty())
        return ArchiverReport{};
    std::optional<ArchiverReport> result = results.front();
    results.pop_front();
    return result;
}

int FakeArchivers::cancelled() const
{
    std::lock_guard lock(mutex_);
    return cancelled_;
}

void FakeArchivers::hold()
{
    std::lock_guard lock(mutex_);
    held_ = true;
}

void FakeArchivers::release()
{
    {
        std::lock_guard lock(mutex_);
        held_ = false;
    }
    released_.notify_all();
}

QList<FakeArchivers::Call> FakeArchivers::calls() const
{
    std::lock_guard lock(mutex_);
    return calls_;
}


namespace {

template <typename T>
T Next(std::deque<T> &results, T otherwise)
{
    if (results.empty())
        return otherwise;
    T result = results.front();
    results.pop_front();
    return result;
}

} // namespace

int FakeProgramLauncher::startProgram(const QString &program, const QStringList &arguments,
                                      const QString &workFolder)
{
    requests.append({Call::Start, program, arguments, workFolder});
    return Next(startResults, StartResult::Started);
}

int FakeProgramLauncher::shellOpen(const QString &target, const QStringList &arguments,
                                   const QString &workFolder)
{
    requests.append({Call::ShellOpen, target, arguments, workFolder});
    return Next(openResults, ShellResult::Opened);
}

int FakeProgramLauncher::openDocument(const QString &target, const QString &workFolder)
{
    requests.append({Call::OpenDocument, target, {}, workFolder});
    return Next(openResults, ShellResult::Opened);
}

QStringList FakeProgramLauncher::associatedCommand(const QString &file, const QString &workFolder)
{
    requests.append({Call::AssociatedCommand, file, {}, workFolder});
    return Next(commands, QStringList());
}

QString FakeProgramLauncher::findProgram(const QString &name)
{
    return ProgramSearch().find(name);
}

QStringList FakeDesktopFolders::listFolder(const QString &folder, bool withFolders)
{
    QStringList names = files.value(folder);
    if (withFolders)
        names += folders.value(folder);
    return names;
}

FakeServices::FakeServices()
{
    auto m = std::make_unique<FakeMessageBoxes>();
    auto c = std::make_unique<FakeClock>();
    auto s = std::make_unique<FakeScreen>();
    auto ch = std::make_unique<FakeChoosers>();
    auto ar = std::make_unique<FakeArchivers>();
    auto p = std::make_unique<FakeProgramLauncher>();
    auto f = std::make_unique<FakeDesktopFolders>();
    messages = m.get();
    clock = c.get();
    screen = s.get();
    choosers = ch.get();
    archivers = ar.get();
    programs = p.get();
    folders = f.get();
    services.messages = std::move(m);
    services.clock = std::move(c);
    services.screen = std::move(s);
    services.choosers = std::move(ch);
    services.archivers = std::move(ar);
    services.programs = std::move(p);
    services.folders = std::move(f);

    auto pw = std::make_unique<FakePower>();
    auto dm = std::make_unique<FakeDisplayModes>();
    auto dk = std::make_unique<FakeDesktop>();
    auto mc = std::make_unique<FakeMci>();
    power = pw.get();
    displayModes = dm.get();
    desktop = dk.get();
    mci = mc.get();
    services.power = std::move(pw);
    services.displayModes = std::move(dm);
    services.desktop = std::move(dk);
    services.mci = std::move(mc);

    auto sd = std::make_unique<FakeSounds>();
    sounds = sd.get();
    services.sounds = std::move(sd);

    auto as = std::make_unique<FakeAutostart>();
    autostart = as.get();
    services.autostart = std::move(as);
}

quint32 FakeMci::sendString(const QString &command, QString &reply, int replyLength)
{
    sent.append({command, replyLength});
    reply.clear();
    const auto found = replies.constFind(command);
    if (found == replies.constEnd())
        return 263;
    if (replyLength > 0)
        reply = found->left(replyLength - 1);
    return 0;
}

QStringList FakeMci::commands() const
{
    QStringList list;
    for (const Sent &s : sent)
        list << s.command;
    return list;
}
