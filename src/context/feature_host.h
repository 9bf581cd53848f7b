#pragma once
// What a feature plugs into when the clock starts. Every feature registers
// the same way, Register<Feature>(FeatureHost &): its settings pages into the
// page registry, its commands and check marks into the command table, its
// items into the popup menu. Registering only registers: what start-up does
// to the desktop or the windows happens in start-up.
class CommandTable;
class PageRegistry;
class PopupMenu;
class QWidget;
struct Context;

struct FeatureHost {
    Context &ctx;
    PageRegistry &pages;
    CommandTable &commands;
    PopupMenu &menu;
    QWidget *owner;   // the clock window: owns the features' boxes and choosers
};
