#include "launcher/ui/launcher_page.h"

#include <QComboBox>
#include <QFrame>
#include <QPushButton>
#include <QSignalBlocker>

#include "context/context.h"
#include "context/pages.h"
#include "pickers/cls_dialog.h"
#include "pickers/cls_folder.h"
#include "settings/profile.h"
#include "settings_window/settings_window_state.h"
#include "settings_window/ui/field_edit.h"
#include "settings_window/ui/page_controls.h"

namespace {

QPushButton *MakeChooserButton(int index, QWidget *parent, int x, int y)
{
    auto *button = new QPushButton(QStringLiteral("..."), parent);
    button->setObjectName(QStringLiteral("DialogBtn%1").arg(index));
    button->setGeometry(x, y, 28, 20);
    return button;
}

} // namespace

LauncherPage::LauncherPage(const PageEnvironment &environment)
    : ctx_(environment.ctx), window_(environment.window),
      rules_(environment.ctx.launcher, environment.state.LunchIndex, *environment.ctx.services.messages,
             environment.window)
{
    QFrame *area = environment.area;
    entries_ = new QComboBox(area);
    entries_->setObjectName(QStringLiteral("CMB0"));
    entries_->setGeometry(16, 12, 249, 22);
    entries_->setAccessibleName(QStringLiteral("ランチャーの項目"));   // no label beside it
    QObject::connect(entries_, &QComboBox::currentIndexChanged, area, [this](int position) {
        if (position >= 0)
            ShowEntry(position);
    });

    // Made in the order Tab takes: each chooser beside its own field.
    MakeLabel("LBL13", QStringLiteral("タイトル"), area, 16, 51);
    title_ = MakeField(9, area, 96, 48, 169);
    MakeLabel("LBL14", QStringLiteral("ファイル"), area, 16, 83);
    file_ = MakeField(10, area, 96, 80, 137);
    QObject::connect(MakeChooserButton(0, area, 237, 80), &QPushButton::clicked, area, [this] { ChooseFile(); });
    MakeLabel("LBL15", QStringLiteral("作業フォルダ"), area, 16, 115);
    workFolder_ = MakeField(11, area, 96, 112, 137);
    QObject::connect(MakeChooserButton(1, area, 237, 112), &QPushButton::clicked, area,
                     [this] { ChooseWorkFolder(); });
    // A shown folder entry keeps its folder in FLD 11, disabled; a file typed
    // after it gets the field back, empty, so no new entry takes the folder unseen.
    QObject::connect(file_, &QLineEdit::textEdited, area, [this] {
        if (!workFolder_->isEnabled())
            ShowWorkFolder(QString());
    });

    const std::pair<const char *, const char *> buttons[] = {{"BTN3", "追加"}, {"BTN4", "変更"}, {"BTN5", "削除"}};
    for (int i = 0; i < 3; ++i) {
        QPushButton *button = MakeButton(buttons[i].first, QString::fromUtf8(buttons[i].second), area, 8 + 70 * i, 150);
        QObject::connect(button, &QPushButton::clicked, area, [this, i] {
            Show(i == 0 ? rules_.Add(fields()) : i == 1 ? rules_.Change(fields()) : rules_.Delete());
        });
    }
}

void LauncherPage::Open()
{
    {
        const QSignalBlocker quiet(entries_);
        entries_->clear();
        entries_->addItems(rules_.Titles());
    }
    if (entries_->count() > 0) {
        entries_->setCurrentIndex(0);
        ShowEntry(0);
    }
}

void LauncherPage::ShowEntry(int position)
{
    const LunchEntryView view = rules_.Select(position);
    title_->setText(view.fields.title);
    file_->setText(view.fields.file);
    workFolder_->setText(view.fields.workFolder);
    workFolder_->setEnabled(view.workFolderEnabled);
}

void LauncherPage::Show(const LunchOutcome &outcome)
{
    if (outcome.workFolderText)
        workFolder_->setText(*outcome.workFolderText);
    if (outcome.listChanged) {
        const QSignalBlocker quiet(entries_);
        entries_->clear();
        entries_->addItems(rules_.Titles());
    }
    if (outcome.select) {
        {
            const QSignalBlocker quiet(entries_);
            entries_->setCurrentIndex(*outcome.select);
        }
        ShowEntry(*outcome.select);
    }
    if (outcome.focus) {
        FieldEdit *const fields[] = {title_, file_, workFolder_};
        fields[*outcome.focus - 9]->setFocus(Qt::OtherFocusReason);
    }
}

LunchFields LauncherPage::fields() const
{
    return {title_->text(), file_->text(), workFolder_->text()};
}

void LauncherPage::ChooseFile()
{
    clsDialog dialog(*ctx_.services.choosers);
    dialog.setDialogTitle(LunchFileChooserTitle());
    dialog.setFilter(LunchFileChooserFilter());
    dialog.setInitialDir(ExpandHomePath(file_->text()));
    const QString chosen = dialog.FileName(window_);
    if (chosen.isEmpty())
        return;
    file_->setText(chosen);
    ShowWorkFolder(ContainingFolder(chosen));
}

// FLD 11 for a file: enabled, with folder.
void LauncherPage::ShowWorkFolder(const QString &folder)
{
    workFolder_->setEnabled(true);
    workFolder_->setText(folder);
}

void LauncherPage::ChooseWorkFolder()
{
    clsFolder chooser(*ctx_.services.choosers);
    chooser.setDialogTitle(LunchFolderChooserTitle());
    chooser.setRootFolder(clsFolder::ComputerFolder);
    chooser.setInitialFolder(ExpandHomePath(workFolder_->text()));
    const QString chosen = chooser.FolderName(window_);
    if (!chosen.isEmpty())
        workFolder_->setText(chosen);
}

PageDefinition LauncherPageDefinition()
{
    return DefinePage<LauncherPage>(PageLauncher, QStringLiteral("AreaLunch"), {8, 0}, {});
}
