#pragma once
// Every feature's settings pages, menu commands and menu items, registered at
// start-up.
struct FeatureHost;

void RegisterFeatures(FeatureHost &host);
