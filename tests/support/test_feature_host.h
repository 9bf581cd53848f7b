#pragma once
// A page registry, command table and popup menu for a feature to register
// into, as start-up gives them to every feature.
#include <QWidget>

#include "context/commands.h"
#include "context/feature_host.h"
#include "menu/ui/popup_menu.h"
#include "settings_window/ui/settings_page.h"

struct TestFeatureHost {
    TestFeatureHost(Context &ctx, QWidget *owner = nullptr) : host{ctx, pages, commands, menu, owner} {}

    PageRegistry pages;
    CommandTable commands;
    PopupMenu menu{commands};
    FeatureHost host;
};
