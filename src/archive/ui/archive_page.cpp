#include "archive/ui/archive_page.h"

#include "platform/archivers.h"

#include <QCheckBox>
#include <QFrame>
#include <QPushButton>

#include "archive/helper_folders.h"
#include "context/context.h"
#include "context/feature_host.h"
#include "context/pages.h"
#include "launcher/launch.h"
#include "pickers/cls_folder.h"
#include "settings/profile.h"
#include "settings_window/ui/field_edit.h"
#include "settings_window/ui/page_controls.h"

namespace {

// The extraction settings of the running clock, with every place it keeps
// its state or code in.
ExtractionSettings ClockExtractionSettings(const Context &ctx)
{
    QStringList launcherFiles;
    for (const LauncherEntry &entry : ctx.launcher.list().entries)
        launcherFiles << (entry.baseName.isEmpty() ? QString() : entry.folder + EntryFileName(entry));
    return ExtractionSettingsFrom(ctx.settings(), ctx.programFolder, ctx.services.archivers->codeFolders(),
                                  launcherFiles);
}

} // namespace

ArchivePage::ArchivePage(const PageEnvironment &environment)
    : ctx_(environment.ctx), window_(environment.window)
{
    QFrame *area = environment.area;
    MakeLabel("LBL16", QStringLiteral("解凍先フォルダ"), area, 16, 24);
    folder_ = MakeField(12, area, 16, 44, 225);
    auto *choose = new QPushButton(QStringLiteral("..."), area);
    choose->setObjectName("DialogBtn2");
    choose->setGeometry(245, 44, 24, 20);
    QObject::connect(choose, &QPushButton::clicked, choose, [this] { ChooseFolder(); });
    fileFold_ = MakeCheckBox(0, QStringLiteral("圧縮ﾌｧｲﾙ名をﾌｫﾙﾀﾞとする"), area, 16, 76);
    apply_ = MakeButton("BTN6", QStringLiteral("確定"), area, 8, 184);
}

void ArchivePage::Open()
{
    // The folder really used: one where the clock keeps its state or code,
    // or the desktop its settings, is shown as the download folder that
    // stands in for it (empty when none may be used).
    const ExtractionSettings settings = ClockExtractionSettings(ctx_);
    ProtectedPlaces places = settings.protectedPlaces;
    places.folders << settings.programFolder;
    const QString &typed = ctx_.settings().ARC.DecompFolder;
    const QString used = ExtractionFolder(typed, ctx_.programFolder, places);
    const bool asTyped = !typed.trimmed().isEmpty()
                         && AddTrailingSeparator(ResolveUserPath(typed, ctx_.programFolder)) == used;
    folder_->setText(asTyped ? typed : used);
    fileFold_->setChecked(ctx_.settings().ARC.FileFold != 0);
}

bool ArchivePage::Apply()
{
    // Kept as typed, with the closing "/" that reading the file adds anyway;
    // an empty field stays empty (the download folder).
    QString folder = folder_->text();
    if (!folder.isEmpty())
        folder = AddTrailingSeparator(folder);
    const bool fileFold = fileFold_->isChecked();
    ctx_.store.Update([&](Settings &settings) {
        settings.ARC.DecompFolder = folder;
        settings.ARC.FileFold = fileFold ? -1 : 0;
    });
    return true;
}

void ArchivePage::ChooseFolder()
{
    clsFolder chooser(*ctx_.services.choosers);
    chooser.setDialogTitle(QStringLiteral("解凍先フォルダを選択してください。"));
    chooser.setRootFolder(clsFolder::ComputerFolder);
    const QString typed = folder_->text();
    chooser.setInitialFolder(typed.isEmpty() ? ctx_.programFolder : ResolveUserPath(typed, ctx_.programFolder));
    const QString chosen = chooser.FolderName(window_);
    if (!chosen.isEmpty())
        folder_->setText(chosen);
}

PageDefinition ArchivePageDefinition()
{
    return DefinePage<ArchivePage>(PageArchive, QStringLiteral("AreaArc"), {8, 0}, {});
}

void RegisterArchive(FeatureHost &host)
{
    host.pages.add(ArchivePageDefinition());
    // Programs started by name never come from where archives are extracted.
    if (host.ctx.services.programSearch)
        KeepHelperSearchFolders(host.ctx.services.programSearch, host.ctx.store, host.ctx.programFolder);
}

ArchiveStep DroppedArchiveStep(Context &ctx)
{
    return [&ctx](const LauncherEntry &entry) -> int {
        return ExtractIfArchive(entry.kind, entry.folder + EntryFileName(entry), ctx.archives,
                                ClockExtractionSettings(ctx));
    };
}
