#include "settings/settings_store.h"

#include <QDir>

#include "platform/message_box.h"
#include "settings/profile.h"

namespace {

SettingsAspect AspectOfKey(const QString &section, const QString &key)
{
    if (section == u"Setting") {
        if (key == u"Left" || key == u"Top")
            return SettingsAspect::Position;
        if (key == u"Width" || key == u"Height")
            return SettingsAspect::Size;
        if (key == u"TimeFormat")
            return SettingsAspect::HoverText;
        return SettingsAspect::FileManager;
    }
    if (section == u"Color")
        return key == u"Bord" ? SettingsAspect::FaceColor : SettingsAspect::Hands;
    if (section == u"Thick")
        return SettingsAspect::Hands;
    if (section == u"Image")
        return SettingsAspect::Background;
    if (section == u"Digital")
        return SettingsAspect::Overlay;
    if (section == u"Alarm")
        return SettingsAspect::Alarms;
    if (section == u"Anime")
        return SettingsAspect::Environment;
    if (section == u"Window")
        return key == u"Opacity" ? SettingsAspect::Opacity : SettingsAspect::ClickThrough;
    if (section == u"Chime")
        return SettingsAspect::Chime;
    return SettingsAspect::Archive;
}

// What keeps a file above the size limit from being read or written.
QString TooLargeReason()
{
    return QStringLiteral("%1 MB を超えるファイルは読み書きしません。")
        .arg(kMaxProfileFileBytes / (1024 * 1024));
}

void ShowFileProblem(MessageBoxService &messages, QWidget *owner, const QString &what,
                     const QString &file, const QString &explanation)
{
    messages.show(owner, what + u'\n' + QDir::toNativeSeparators(file) + QStringLiteral("\n\n") + explanation,
                  QStringLiteral("Tockara"), MessageButtons::Ok, MessageIcon::Warning);
}

} // namespace

void ShowWriteFailure(MessageBoxService &messages, QWidget *owner, const QString &what,
                      const QString &file, const QString &tail)
{
    const QString reason = ProfileFileTooLarge(file)
                               ? QStringLiteral("ファイルが大きすぎます。") + TooLargeReason()
                               : QStringLiteral("ファイルとフォルダーに書き込めるか確かめてください。");
    ShowFileProblem(messages, owner, what, file, reason + tail);
}

SettingsAspects ChangedAspects(const Settings &before, const Settings &after)
{
    // Both lists come from the one key table, so they pair up key by key.
    const QList<SettingsKeyValue> old = SettingsKeyValues(before);
    const QList<SettingsKeyValue> now = SettingsKeyValues(after);
    SettingsAspects aspects;
    for (qsizetype i = 0; i < old.size() && i < now.size(); ++i) {
        if (old[i].value != now[i].value)
            aspects |= AspectOfKey(now[i].section, now[i].key);
    }
    return aspects;
}

SettingsStore::SettingsStore(QString settingsPath, QString programFolder, MessageBoxService &messages)
    : path_(std::move(settingsPath)), programFolder_(std::move(programFolder)), messages_(messages),
      settings_(DefaultSettings(programFolder_))
{
}

void SettingsStore::Load()
{
    LoadSettings(settings_, path_, programFolder_);
    // Such a file is never written either: told here once, its writes fail
    // without a word.
    if (ProfileFileTooLarge(path_)) {
        failureReported_ = true;
        ShowFileProblem(messages_, nullptr, QStringLiteral("設定ファイルが大きすぎるため読み込めませんでした。"),
                        path_,
                        TooLargeReason()
                            + QStringLiteral("今回は既定の設定を使います。変更はこの時計を閉じるまで有効です。"));
    }
}

void SettingsStore::Reset(const Settings &settings)
{
    settings_ = settings;
}

bool SettingsStore::Save()
{
    return Write();
}

bool SettingsStore::Update(const std::function<void(Settings &)> &edit, SettingsAspects also)
{
    const Settings before = settings_;
    edit(settings_);
    const bool written = Write();
    const SettingsAspects aspects = ChangedAspects(before, settings_) | also;
    if (aspects)
        emit changed(aspects);
    return written;
}

bool SettingsStore::Write()
{
    if (SaveSettings(settings_, path_))
        return true;
    // Once a run is enough: every later change would fail the same way.
    if (!failureReported_) {
        failureReported_ = true;
        ShowWriteFailure(messages_, nullptr, QStringLiteral("設定を保存できませんでした。"), path_,
                         QStringLiteral("変更はこの時計を閉じるまで有効です。"));
    }
    return false;
}
