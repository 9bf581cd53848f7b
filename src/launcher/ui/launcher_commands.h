#pragma once
// The launcher in the popup menu: the entries of "ランチャー" (rebuilt whenever
// the list changes), the desktop, recent-files and documents submenus
// (refilled before every popup), the drives, the launcher page, and files
// dropped on the clock.
#include <functional>
#include <QByteArray>

#include "launcher/drop.h"

class QWidget;
struct Context;
struct FeatureHost;

// Registers the launcher page, binds Launch, OpenFolderItem and OpenDrive,
// puts the launcher entries into the menu and fills the drive submenu.
// Boxes are owned by the clock window.
void RegisterLauncher(FeatureHost &host);

// What the clock does with a dropped "text/uri-list": each file is
// registered, or extracted by extractIfArchive when it is an archive.
std::function<void(const QByteArray &uriList)> LauncherDropHandler(Context &ctx, QWidget *owner,
                                                                    ArchiveStep extractIfArchive);
