#include "launcher/launcher_page_rules.h"

#include <QFileInfo>

#include "launcher/launch.h"
#include "platform/file_filter.h"
#include "platform/message_box.h"
#include "settings/profile.h"

namespace {

const QString kTitle = QStringLiteral("Tockara");

// The field numbers of the page.
constexpr int kTitleField = 9;
constexpr int kFileField = 10;
constexpr int kWorkFolderField = 11;

// The fields with "~/" paths made whole, as the other pages take them.
LunchFields WholeFields(const LunchFields &typed)
{
    return {typed.title, ExpandHomePath(typed.file), ExpandHomePath(typed.workFolder)};
}

} // namespace

LunchEntryView ViewOfEntry(const LauncherEntry &entry)
{
    LunchEntryView view;
    view.fields.title = entry.title;
    view.fields.workFolder = entry.workFolder;
    const bool isFile = entry.kind == EntryKind::Program || entry.kind == EntryKind::Document
                     || entry.kind == EntryKind::Shortcut;
    // A program without extension shows without the dot Windows added: here
    // "name." would be another file.
    view.fields.file = isFile ? entry.folder + EntryFileName(entry) : entry.folder;
    view.workFolderEnabled = isFile;
    return view;
}

QString LunchFileChooserTitle()
{
    return QStringLiteral("登録するファイルを選択してください");
}

QString LunchFileChooserFilter()
{
    return JoinFileFilter({
        // Programs on Linux are also scripts and AppImages.
        {QStringLiteral("アプリケーション(exe com bat)"), QStringLiteral("*.exe;*.com;*.bat;*.sh;*.AppImage")},
        {QStringLiteral("画像(bmp jpg gif wmf ico)"), QStringLiteral("*.bmp;*.jpg;*.dib;*.gif;*.wmf;*.emf;*.ico")},
        {QStringLiteral("テキスト(txt ini)"), QStringLiteral("*.txt;*.ini")},
        {QStringLiteral("インターネット(htm html shtml cgi pl)"), QStringLiteral("*.htm;*.html;*.shtml;*.cgi;*.pl")},
        {QStringLiteral("全てのファイル"), QStringLiteral("*")},
    });
}

QString LunchFolderChooserTitle()
{
    return QStringLiteral("作業フォルダを選択してください。");
}

QStringList LauncherPageRules::Titles() const
{
    QStringList titles;
    for (const LauncherEntry &entry : store_.list().entries)
        titles << entry.title;
    return titles;
}

LunchEntryView LauncherPageRules::Select(int position)
{
    lunchIndex_ = qint16(position + 1);
    return ViewOfEntry(store_.entry(lunchIndex_));
}

LunchOutcome LauncherPageRules::CheckLunchFields(const LunchFields &typed) const
{
    const LunchFields fields = WholeFields(typed);
    LunchOutcome outcome;
    auto refuse = [&](const QString &text, int field) {
        messages_.show(owner_, text, kTitle, MessageButtons::Ok, MessageIcon::None);
        outcome.focus = field;
        return outcome;
    };
    if (fields.title.isEmpty())
        return refuse(QStringLiteral("タイトルを入力してください。"), kTitleField);
    if (const int code = PathLookupError(fields.file))
        return refuse(QString::number(code) + QStringLiteral(":ファイルがありません。"), kFileField);
    if (QFileInfo(fields.file).isDir()) {
        outcome.workFolderText = fields.file;
        return outcome;
    }
    if (const int code = PathLookupError(fields.workFolder))
        return refuse(QString::number(code) + QStringLiteral(":フォルダがありません。"), kWorkFolderField);
    // The lookup succeeded, so the code shown is 0.
    if (!QFileInfo(fields.workFolder).isDir())
        return refuse(QStringLiteral("0:フォルダを入力してください。"), kWorkFolderField);
    return outcome;
}

std::optional<LauncherEntry> LauncherPageRules::EntryFromFields(const LunchFields &typed,
                                                             LunchOutcome &outcome) const
{
    const LunchFields fields = WholeFields(typed);
    outcome = CheckLunchFields(fields);
    if (outcome.focus)
        return std::nullopt;
    LauncherEntry entry = ClassifyPath(fields.file);
    entry.title = fields.title;
    entry.workFolder = outcome.workFolderText.value_or(fields.workFolder);
    return entry;
}

LunchOutcome LauncherPageRules::Add(const LunchFields &fields)
{
    if (store_.LauncherCount() >= LauncherList::Limit) {
        ShowLauncherFull(messages_, owner_);
        return {};
    }
    LunchOutcome outcome;
    const std::optional<LauncherEntry> entry = EntryFromFields(fields, outcome);
    if (!entry || store_.AddLauncherEntry(*entry, messages_, owner_) != LauncherStore::Added::Added)
        return outcome;
    outcome.listChanged = true;
    outcome.select = store_.LauncherCount() - 1;
    return outcome;
}

LunchOutcome LauncherPageRules::Change(const LunchFields &fields)
{
    if (lunchIndex_ < 1 || lunchIndex_ > store_.LauncherCount())
        return {};
    const QString question = store_.entry(lunchIndex_).title + QStringLiteral("を変更しますか？");
    if (messages_.show(owner_, question, kTitle, MessageButtons::YesNo, MessageIcon::None) != MessageAnswer::Yes)
        return {};
    LunchOutcome outcome;
    const std::optional<LauncherEntry> entry = EntryFromFields(fields, outcome);
    if (!entry || !store_.ReplaceEntry(lunchIndex_, *entry, messages_, owner_))
        return outcome;
    outcome.listChanged = true;
    outcome.select = lunchIndex_ - 1;
    return outcome;
}

LunchOutcome LauncherPageRules::Delete()
{
    if (lunchIndex_ < 1 || lunchIndex_ > store_.LauncherCount())
        return {};
    const QString question = store_.entry(lunchIndex_).title + QStringLiteral("を削除しますか？");
    if (messages_.show(owner_, question, kTitle, MessageButtons::YesNo, MessageIcon::None) != MessageAnswer::Yes)
        return {};
    store_.DeleteEntry(lunchIndex_);
    LunchOutcome outcome;
    outcome.listChanged = true;
    if (store_.LauncherCount() > 0)
        outcome.select = 0;
    else
        lunchIndex_ = 0;
    return outcome;
}
