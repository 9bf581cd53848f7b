#include "settings/settings_store.h"

#include <QDir>

#include "platform/message_box.h"

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
    return SettingsAspect::Archive;
}

} // namespace

void ShowWriteFailure(MessageBoxService &messages, QWidget *owner, const QString &what,
                      const QString &file, const QString &tail)
{
    messages.show(owner,
                  what + u'\n' + QDir::toNativeSeparators(file) + QStringLiteral("\n\n")
                      + QStringLiteral("ファイルとフォルダーに書き込めるか確かめてください。") + tail,
                  QStringLiteral("Tockara"), MessageButtons::Ok, MessageIcon::Warning);
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
