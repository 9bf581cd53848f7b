#include "face/ui/face_commands.h"

#include "context/commands.h"
#include "context/context.h"
#include "context/feature_host.h"
#include "pickers/cls_dialog.h"
#include "platform/message_box.h"
#include "platform/program_folder.h"
#include "platform/regular_file.h"

namespace {

qint16 Flag(bool on)
{
    return on ? -1 : 0;
}

// The colour setting of 色の設定's item: 1 face, 2 hour, 3 minute, 4 second
// hand; null for another index.
template <typename SettingsRef>
auto ColorOfItem(SettingsRef &settings, int index) -> decltype(&settings.Color.Bord)
{
    switch (index) {
    case 1: return &settings.Color.Bord;
    case 2: return &settings.Color.HLine;
    case 3: return &settings.Color.MLine;
    case 4: return &settings.Color.SLine;
    default: return nullptr;
    }
}

// The switch of 背景設定's item: 1 picture shown, 3 stretched, 4 tiled; null
// for another index.
template <typename SettingsRef>
auto SwitchOfItem(SettingsRef &settings, int index) -> decltype(&settings.Image.Enabled)
{
    switch (index) {
    case 1: return &settings.Image.Enabled;
    case 3: return &settings.Image.JustSize;
    case 4: return &settings.Image.TilePattern;
    default: return nullptr;
    }
}

// Where the chooser of a face file opens: at the file in use; with none, in
// the program folder's sample environments rather than the chooser's own
// default, the process's current folder (often "/").
QString ChooserStart(const Context &ctx, const QString &file)
{
    return file.isEmpty() ? SampleFolder(ctx.programFolder) : file;
}

// Whether a chosen file may be read: a pipe, a device or a socket is refused
// at once with a message, and the setting stays as it was.
bool ChosenFileReadable(Context &ctx, QWidget *owner, const QString &file)
{
    if (KindOfFile(file) != FileKind::NotRegular)
        return true;
    ctx.services.messages->show(owner, NotRegularFileMessage(file), QStringLiteral("Tockara"),
                                MessageButtons::Ok, MessageIcon::Warning);
    return false;
}

void PickFaceColor(Context &ctx, QWidget *owner, int index)
{
    if (!ColorOfItem(ctx.settings(), index))
        return;
    clsDialog dialog(*ctx.services.choosers);
    if (!dialog.ColorCode(owner))
        return;
    const ColorValue chosen = dialog.ChosenColor();
    ctx.store.Update([&](Settings &settings) { *ColorOfItem(settings, index) = chosen; });
}

void PickAnimationFile(Context &ctx, QWidget *owner)
{
    clsDialog dialog(*ctx.services.choosers);
    dialog.setDialogTitle(QStringLiteral("アニメ定義ファイルを選択してください"));
    dialog.setFilter(JoinFileFilter({{QStringLiteral("アニメ定義ファイル (*.dat)"), QStringLiteral("*.dat")}}));
    dialog.setInitialDir(ChooserStart(ctx, ctx.settings().Anime.File));
    const QString file = dialog.FileName(owner);
    if (file.isEmpty() || !ChosenFileReadable(ctx, owner, file))
        return;
    // The same file chosen again is read again: it may have been edited.
    ctx.store.Update([&](Settings &settings) { settings.Anime.File = file; },
                     SettingsAspect::Environment);
}

void ToggleBackground(Context &ctx, int index)
{
    if (!SwitchOfItem(ctx.settings(), index))
        return;
    ctx.store.Update([&](Settings &settings) {
        qint16 &option = *SwitchOfItem(settings, index);
        option = Flag(option == 0);
    });
}

void PickBackgroundImage(Context &ctx, QWidget *owner)
{
    clsDialog dialog(*ctx.services.choosers);
    dialog.setDialogTitle(QStringLiteral("画像ファイルを選択してください"));
    // PNG and the long JPEG extension are common on Linux desktops and load
    // like the others.
    dialog.setFilter(JoinFileFilter({{QStringLiteral("画像ファイル (*.bmp *.jpg *.gif *.ico)"),
                                      QStringLiteral("*.bmp;*.jpg;*.gif;*.ico;*.png;*.jpeg")}}));
    dialog.setInitialDir(ChooserStart(ctx, ctx.settings().Image.File));
    const QString file = dialog.FileName(owner);
    if (file.isEmpty() || !ChosenFileReadable(ctx, owner, file))
        return;
    // The same picture chosen again is read again: it may have been edited.
    ctx.store.Update(
        [&](Settings &settings) {
            settings.Image.File = file;
            settings.Image.Enabled = Flag(true);
        },
        SettingsAspect::Background);
}

} // namespace

void RegisterFace(FeatureHost &host)
{
    CommandTable &commands = host.commands;
    Context &ctx = host.ctx;
    QWidget *owner = host.owner;
    commands.bind(Command::PickFaceColor,
                  [&ctx, owner](const CommandItem &item) { PickFaceColor(ctx, owner, item.index); });
    commands.bind(Command::PickAnimationFile,
                  [&ctx, owner](const CommandItem &) { PickAnimationFile(ctx, owner); });
    commands.bind(Command::ToggleBackground,
                  [&ctx](const CommandItem &item) { ToggleBackground(ctx, item.index); });
    commands.bindCheck(Command::ToggleBackground, [&ctx](const CommandItem &item) {
        const qint16 *option = SwitchOfItem(ctx.settings(), item.index);
        return option && *option != 0;
    });
    commands.bind(Command::PickBackgroundImage,
                  [&ctx, owner](const CommandItem &) { PickBackgroundImage(ctx, owner); });
}
