#pragma once
// Names for a screen reader: a page's text fields, lists and colour swatches
// are named by the label that stands for them on the screen, so a reader
// says "コメント, edit" rather than "edit". The on-screen texts stay as they are.
class QWidget;

// Names every field (text field, text box, spin box, drop-down list) and
// colour swatch below page that has no accessible name yet, from its label:
// the label whose buddy it is; else the nearest label left of it on its row;
// else the label right above it. That label becomes its buddy, which tells a
// reader the two belong together. A "..." chooser button takes the name of
// what it chooses, from the field left of it: フォルダを選ぶ beside a folder
// field, ファイルを選ぶ beside any other.
void NameControlsFromLabels(QWidget *page);

// What a screen reader is told of the pages' drop-down lists and colour
// swatches: a list by its name (the toolkit gives a list's current entry as
// its name on Linux, so a reader would say "今日, combo box") with the entry
// as its value; a swatch as a button of its name that opens the colour
// chooser. Installed once, before such controls are made.
void InstallAccessibleControls();
