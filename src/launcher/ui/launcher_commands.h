#pragma once
// The launcher in the popup menu: the entries of "ランチャー" (rebuilt whenever
// the list changes), the desktop, recent-files and documents submenus
// (refilled before every popup), the drives, the launcher page, and files
// dropped on the clock.
#include <functional>
#include <QByteArray>

#include "launcher/drop.h"

class CommandTable;
class PageRegistry;
class PopupMenu;
class QWidget;
struct Context;

// Registers the launcher page, binds Launch, OpenFolderItem and OpenDrive,
// puts the launcher entries into the menu and fills the drive submenu.
// Boxes are owned by owner (the clock window).
void RegisterLauncher(PageRegistry &pages, CommandTable &commands, PopupMenu &menu, Context &ctx,
                      QWidget *owner);

// What the clock does with a dropped "text/uri-list": each file is
// registered, or extracted by extractIfArchive when it is an archive.
std::function<void(const QByteArray &uriList)> LauncherDropHandler(Context &ctx, QWidget *owner,
                                                                    ArchiveStep extractIfArchive);
