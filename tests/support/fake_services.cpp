#include "support/fake_services.h"

MessageAnswer FakeMessageBoxes::show(QWidget *, const QString &text, const QString &title,
                                     MessageButtons buttons, MessageIcon icon)
{
    shown.append({text, title, buttons, icon});
    if (!answers.empty()) {
        MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
}

void FakeMessageBoxes::notify(QWidget *, const QString &text, const QString &title,
                              MessageIcon icon, std::function<void()> closed)
{
    shown.append({text, title, MessageButtons::Ok, icon, false});
    openNotified.push_back(std::move(closed));
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

QString FakeChoosers::chooseFolder(QWidget *, const QString &, const QString &)
{
    ++folderRequests;
    if (folders.empty())
        return {};
    QString chosen = folders.front();
    folders.pop_front();
    return chosen;
}

FakeServices::FakeServices()
{
    auto m = std::make_unique<FakeMessageBoxes>();
    auto c = std::make_unique<FakeClock>();
    auto s = std::make_unique<FakeScreen>();
    auto ch = std::make_unique<FakeChoosers>();
    messages = m.get();
    clock = c.get();
    screen = s.get();
    choosers = ch.get();
    services.messages = std::move(m);
    services.clock = std::move(c);
    services.screen = std::move(s);
    services.choosers = std::move(ch);

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
