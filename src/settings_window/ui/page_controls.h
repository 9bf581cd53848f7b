#pragma once
// Small helpers the pages build their controls with, and the one way every
// page reads a number from a text field.
#include <optional>
#include <QString>

class QCheckBox;
class QLabel;
class QPushButton;
class QWidget;
class FieldEdit;
class MessageBoxService;

// Controls placed at (x, y), named name (an array name and index such as
// "BTN0"; a label may have no name).
QLabel *MakeLabel(const QString &name, const QString &text, QWidget *parent, int x, int y);
// A 65 x 25 push button; Enter presses it while it has the focus.
QPushButton *MakeButton(const QString &name, const QString &text, QWidget *parent, int x, int y);
QCheckBox *MakeCheckBox(int index, const QString &text, QWidget *parent, int x, int y);
FieldEdit *MakeField(int index, QWidget *parent, int x, int y, int width);

// Tab stops at one option button of each group below page (the buttons of
// one parent): the checked one, or the first while none is; the arrow keys
// move among them. Kept so as the checked option changes.
void TabToCheckedOptions(QWidget *page);

// The number in field, or nothing after telling the user (a "Tockara"
// message box naming the field by fieldName) and putting the focus back on
// the field so the value can be corrected.
std::optional<qint64> ReadNumberField(MessageBoxService &messages, QWidget *owner,
                                      FieldEdit *field, const QString &fieldName);
