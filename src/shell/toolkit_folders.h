#pragma once
// The toolkit loads its plugins and translations from where it was installed
// and from the user's own QT_PLUGIN_PATH only: never from the executable's
// folder, which in a portable install is the program folder, written by the
// clock and by the archives extracted there. (The paths themselves come from
// a qt.conf built into the program, so none beside the executable is read.)

// Call before the application object is made: the platform plugin and the
// platform theme are loaded while it is made.
void KeepToolkitOutOfExecutableFolder();

// Call right after the application object is made: takes the executable's
// folder off the plugin paths should the toolkit have put it back, for the
// plugins loaded later (picture formats, input methods).
void CheckToolkitFolders();
