// The cost the folder submenus add to opening the popup: refilling
// "デスクトップ" from a desktop of 1,000 files (listing, ordering, captions
// and the item plan), as before every popup.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include "context/commands.h"
#include "context/context.h"
#include "context/feature_host.h"
#include "launcher/folder_menus.h"
#include "launcher/ui/launcher_commands.h"
#include "menu/ui/popup_menu.h"
#include "platform/linux/linux_services.h"
#include "settings_window/ui/settings_page.h"

namespace {

// The real listing of a desktop placed in a temporary folder.
class TemporaryDesktop : public DesktopFolders {
public:
    explicit TemporaryDesktop(int files)
    {
        for (int i = 0; i < files; ++i) {
            // Mostly documents, some launchers and shortcuts, as desktops hold.
            const char *ending = i % 10 == 0 ? ".desktop" : i % 10 == 1 ? ".lnk" : ".txt";
            QFile(folder_.path() + QStringLiteral("/メモ %1%2").arg(i).arg(ending)).open(QIODevice::WriteOnly);
        }
    }
    QString specialFolderPath(SpecialFolder which) override
    {
        return which == SpecialFolder::Desktop ? folder_.path() : QString();
    }
    QStringList listFolder(const QString &folder, bool withFolders) override
    {
        return real_->listFolder(folder, withFolders);
    }
    QStringList recentFiles() override { return {}; }
    QList<MountedDrive> mountedDrives() override { return {}; }

private:
    QTemporaryDir folder_;
    std::unique_ptr<DesktopFolders> real_ = MakeLinuxDesktopFolders();
};

void BM_RefillDesktopMenu(benchmark::State &state)
{
    TemporaryDesktop desktop(int(state.range(0)));
    const FolderMenuSpec &menu = FolderMenus()[1];
    FolderMenuState menuState;
    for (auto _ : state) {
        FolderMenuState::Refill refill = menuState.refill(FolderMenuItems(menu, desktop));
        benchmark::DoNotOptimize(refill);
    }
}
BENCHMARK(BM_RefillDesktopMenu)->Arg(1000)->Unit(benchmark::kMillisecond);

// The whole refill the popup waits for: the three folder submenus, their
// menu items made, captioned, shown and hidden, with 1,000 files on the
// desktop.
void BM_PopupFolderMenus(benchmark::State &state)
{
    Services services = MakeLinuxServices();
    services.folders = std::make_unique<TemporaryDesktop>(int(state.range(0)));
    QTemporaryDir programFolder;
    Context ctx(services, programFolder.path());
    CommandTable commands;
    PageRegistry pages;
    PopupMenu menu(commands);
    FeatureHost host{ctx, pages, commands, menu, nullptr};
    RegisterLauncher(host);
    for (auto _ : state)
        emit menu.aboutToPopup();
}
BENCHMARK(BM_PopupFolderMenus)->Arg(1000)->Unit(benchmark::kMillisecond);

// The first popup of a run, which also makes the 1,000 items.
void BM_FirstPopupFolderMenus(benchmark::State &state)
{
    Services services = MakeLinuxServices();
    services.folders = std::make_unique<TemporaryDesktop>(int(state.range(0)));
    QTemporaryDir programFolder;
    Context ctx(services, programFolder.path());
    for (auto _ : state) {
        state.PauseTiming();
        CommandTable commands;
        PageRegistry pages;
        auto menu = std::make_unique<PopupMenu>(commands);
        FeatureHost host{ctx, pages, commands, *menu, nullptr};
        RegisterLauncher(host);
        state.ResumeTiming();
        emit menu->aboutToPopup();
        state.PauseTiming();
        menu.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstPopupFolderMenus)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_ListMountedDrives(benchmark::State &state)
{
    std::unique_ptr<DesktopFolders> folders = MakeLinuxDesktopFolders();
    for (auto _ : state)
        benchmark::DoNotOptimize(folders->mountedDrives());
}
BENCHMARK(BM_ListMountedDrives)->Unit(benchmark::kMicrosecond);

} // namespace
