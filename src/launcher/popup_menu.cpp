#include "launcher/popup_menu.h"

#include <QAction>
#include <QMenu>

#include "calendar/note_window.h"
#include "face/color_value.h"
#include "launcher/menu_table.h"
#include "pickers/cls_dialog.h"
#include "settings/context.h"

namespace {

QString ItemName(const QString &array, int index)
{
    return array + QString::number(index);
}

// A filter text in the chooser's form: name NUL pattern NUL, an extra NUL.
QString OneTypeFilter(const QString &name, const QString &patterns)
{
    const QChar nul(u'\0');
    return name + nul + patterns + nul + nul;
}

using Handler = void (PopupMenu::*)(int);

// Which handler receives the clicks of each array.
const QHash<QString, Handler> &Handlers()
{
    static const QHash<QString, Handler> handlers = {
        {"barMenu", &PopupMenu::barMenu_Click},
        {"barEnv", &PopupMenu::barEnv_Click},
        {"barColor", &PopupMenu::barColor_Click},
        {"barBack", &PopupMenu::barBack_Click},
        {"barLunch", &PopupMenu::barLunch_Click},
        {"barDesktop", &PopupMenu::barDesktop_Click},
        {"barRecent", &PopupMenu::barRecent_Click},
        {"barDocument", &PopupMenu::barDocument_Click},
        {"barDrive", &PopupMenu::barDrive_Click},
        {"barMoni", &PopupMenu::barMoni_Click},
        {"barOPT", &PopupMenu::barOpt_Click},
        {"barHelp", &PopupMenu::barHelp_Click},
    };
    return handlers;
}

// Settings page numbers the menu asks the settings window for.
enum Page : qint16 {
    ClockSizePage = 1,
    AlarmPage = 2,
    HandThicknessPage = 3,
    VersionPage = 4,
    LauncherPage = 5,
    ArchivePage = 6,
    CalendarPage = 7,
    DigitalPage = 8,
    CalendarDisplayPage = 9,
    QuickMemoPage = 10,
    WallpaperPage = 11,
    CdAudioPage = 12,
    CalculatorPage = 13,
};

qint16 Flag(bool on)
{
    return on ? -1 : 0;
}

} // namespace

PopupMenu::PopupMenu(Context &ctx, QWidget *parent) : QWidget(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("frmMenu"));
    BuildTree();
}

void PopupMenu::BuildTree()
{
    sys_ = new QMenu(QStringLiteral("System"), this);
    sys_->setObjectName(QStringLiteral("Sys"));
    // A submenu may begin with a separator (the launcher's, while it has no
    // entries); every separator of the table stays visible.
    sys_->setSeparatorsCollapsible(false);

    // menus[level - 1] is the menu that items of that level go into.
    QList<QMenu *> menus = {sys_};
    for (const MenuTableEntry &entry : PopupMenuTable()) {
        menus.resize(entry.level);
        QMenu *parentMenu = menus.back();
        const QString array = QString::fromUtf8(entry.array);
        const QString caption = QString::fromUtf8(entry.caption);
        const QString name = ItemName(array, entry.index);

        QAction *action = nullptr;
        switch (entry.kind) {
        case MenuItemKind::Separator:
            action = parentMenu->addSeparator();
            break;
        case MenuItemKind::Submenu: {
            QMenu *menu = parentMenu->addMenu(caption);
            menu->setObjectName(name);
            menu->setSeparatorsCollapsible(false);
            submenus_.insert(name, menu);
            menus.append(menu);
            action = menu->menuAction();
            break;
        }
        case MenuItemKind::Command:
        case MenuItemKind::Checkable:
            action = parentMenu->addAction(caption);
            action->setCheckable(entry.kind == MenuItemKind::Checkable);
            break;
        }
        action->setEnabled(entry.enabled);
        action->setVisible(entry.visible);
        attachItem(action, array, entry.index);
    }
}

void PopupMenu::attachItem(QAction *action, const QString &array, int index)
{
    const QString name = ItemName(array, index);
    action->setObjectName(name);
    items_.insert(name, action);
    if (action->isSeparator() || action->menu())
        return;
    connect(action, &QAction::triggered, this, [this, action, array, index] {
        // The toolkit flips a check mark before reporting the click; the
        // handler owns the mark, so it is put back for the handler to invert.
        if (action->isCheckable())
            action->setChecked(!action->isChecked());
        Dispatch(array, index);
    });
}

QAction *PopupMenu::item(const QString &array, int index) const
{
    return items_.value(ItemName(array, index));
}

QMenu *PopupMenu::submenu(const QString &array, int index) const
{
    return submenus_.value(ItemName(array, index));
}

void PopupMenu::ShowPopupMenu(QPoint anchor)
{
    sys_->exec(anchor);
}

void PopupMenu::SyncBackgroundMenuChecks()
{
    item("barBack", 1)->setChecked(ctx_.settings.Image.Enabled != 0);
    item("barBack", 3)->setChecked(ctx_.settings.Image.JustSize != 0);
    item("barBack", 4)->setChecked(ctx_.settings.Image.TilePattern != 0);
}

void PopupMenu::Dispatch(const QString &array, int index)
{
    if (Handler handler = Handlers().value(array))
        (this->*handler)(index);
}

// ---- Click handlers -------------------------------------------------------

void PopupMenu::barMenu_Click(int index)
{
    switch (index) {
    case 11: PickAnimationFile(); break;
    case 32: OpenPage(LauncherPage); break;
    case 51: OpenPage(AlarmPage); break;
    case 61: OpenPage(CalendarPage); break;
    case 62: OpenQuickMemo(); break;
    case 99: ExitProgram(); break;
    default: break;
    }
}

void PopupMenu::barEnv_Click(int index)
{
    switch (index) {
    case 11: OpenPage(HandThicknessPage); break;
    case 21: OpenPage(ClockSizePage); break;
    default: break;
    }
}

void PopupMenu::barColor_Click(int index)
{
    if (index >= 1 && index <= 4)
        PickFaceColor(index);
}

void PopupMenu::barBack_Click(int index)
{
    switch (index) {
    case 1:
    case 3:
    case 4: ToggleBackgroundOption(index); break;
    case 2: PickBackgroundImage(); break;
    default: break;
    }
}

void PopupMenu::barLunch_Click(int)
{
    // Launcher entries, restart and shutdown come with the launcher and the
    // system actions; 81..83 only open their submenus.
}

void PopupMenu::barDesktop_Click(int)
{
    // Opening a folder item comes with the folder menus.
}

void PopupMenu::barRecent_Click(int)
{
    // Opening a folder item comes with the folder menus.
}

void PopupMenu::barDocument_Click(int)
{
    // Opening a folder item comes with the folder menus.
}

void PopupMenu::barDrive_Click(int)
{
    // Opening a drive comes with the drive menu.
}

void PopupMenu::barMoni_Click(int)
{
    // Changing the display mode comes with the system actions.
}

void PopupMenu::barOpt_Click(int index)
{
    switch (index) {
    case 1: OpenPage(ArchivePage); break;
    case 11: OpenPage(DigitalPage); break;
    case 21: OpenPage(CalendarDisplayPage); break;
    case 31: OpenPage(WallpaperPage); break;
    case 41: OpenPage(CdAudioPage); break;
    case 51: OpenPage(CalculatorPage); break;
    default: break;
    }
}

void PopupMenu::barHelp_Click(int index)
{
    // Index 1 (the help page) comes with the system actions.
    if (index == 11)
        OpenPage(VersionPage);
}

// ---- Commands -------------------------------------------------------------

QWidget *PopupMenu::clockWindow() const
{
    return ctx_.clock ? ctx_.clock->clockWindow() : nullptr;
}

void PopupMenu::PickFaceColor(int index)
{
    clsDialog dialog(*ctx_.services.choosers);
    if (!dialog.ColorCode(clockWindow()))
        return;
    ColorValue *targets[] = {&ctx_.settings.Color.Bord, &ctx_.settings.Color.HLine,
                             &ctx_.settings.Color.MLine, &ctx_.settings.Color.SLine};
    *targets[index - 1] = dialog.ChosenColor();
    if (ctx_.clock)
        ctx_.clock->ApplyBackColor();
    SaveSettings(ctx_.settings, ctx_.settingsPath);
}

void PopupMenu::PickAnimationFile()
{
    clsDialog dialog(*ctx_.services.choosers);
    dialog.setDialogTitle(QStringLiteral("アニメ定義ファイルを選択してください"));
    dialog.setFilter(OneTypeFilter(QStringLiteral("アニメ定義ファイル (*.dat)"), QStringLiteral("*.dat")));
    dialog.setInitialDir(ctx_.settings.Anime.File);
    const QString file = dialog.FileName(clockWindow());
    if (file.isEmpty())
        return;
    ctx_.settings.Anime.File = file;
    SaveSettings(ctx_.settings, ctx_.settingsPath);
    if (ctx_.clock)
        ctx_.clock->LoadEnvironment();
}

void PopupMenu::ToggleBackgroundOption(int index)
{
    QAction *action = item("barBack", index);
    const bool on = !action->isChecked();
    action->setChecked(on);
    switch (index) {
    case 1: ctx_.settings.Image.Enabled = Flag(on); break;
    case 3: ctx_.settings.Image.JustSize = Flag(on); break;
    case 4: ctx_.settings.Image.TilePattern = Flag(on); break;
    default: return;
    }
    SaveSettings(ctx_.settings, ctx_.settingsPath);
    if (ctx_.clock)
        ctx_.clock->ComposeBackground();
}

void PopupMenu::PickBackgroundImage()
{
    clsDialog dialog(*ctx_.services.choosers);
    dialog.setDialogTitle(QStringLiteral("画像ファイルを選択してください"));
    // PNG and the long JPEG extension are common on Linux desktops and load
    // like the others.
    dialog.setFilter(OneTypeFilter(QStringLiteral("画像ファイル (*.bmp *.jpg *.gif *.ico)"),
                                   QStringLiteral("*.bmp;*.jpg;*.gif;*.ico;*.png;*.jpeg")));
    dialog.setInitialDir(ctx_.settings.Image.File);
    const QString file = dialog.FileName(clockWindow());
    if (file.isEmpty())
        return;
    ctx_.settings.Image.File = file;
    ctx_.settings.Image.Enabled = Flag(true);
    SyncBackgroundMenuChecks();
    SaveSettings(ctx_.settings, ctx_.settingsPath);
    if (ctx_.clock)
        ctx_.clock->ComposeBackground();
}

void PopupMenu::OpenQuickMemo()
{
    ctx_.PageRequest = QuickMemoPage;
    OpenNoteWindow(ctx_, clockWindow());
}

void PopupMenu::OpenPage(qint16 page)
{
    ctx_.PageRequest = page;
    if (ctx_.ShowSettingsWindow)
        ctx_.ShowSettingsWindow();
}

void PopupMenu::ExitProgram()
{
    if (ctx_.clock)
        ctx_.clock->ExitProgram();
}
