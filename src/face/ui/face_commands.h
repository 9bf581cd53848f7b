#pragma once
// The menu commands that dress the face: the face and hand colours, the
// environment file, and the background picture with its three switches.
struct FeatureHost;

// Binds PickFaceColor, PickAnimationFile, ToggleBackground (with its check
// marks) and PickBackgroundImage. Their choosers are owned by owner (the
// clock window). Each command changes the settings through the store, which
// saves them and has the clock show the change.
void RegisterFace(FeatureHost &host);
