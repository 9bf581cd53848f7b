#pragma once
// The open-file and colour choosers, set up through plain properties and run
// in one call. Cancelling is never an error: FileName gives empty text and
// ColorCode gives false.
#include <QList>
#include <QPair>
#include <QString>

#include "platform/file_filter.h"
#include "settings/settings.h"

class ChooserService;
class QWidget;

class clsDialog {
public:
    explicit clsDialog(ChooserService &choosers) : choosers_(choosers) {}

    QString DialogTitle() const { return dialogTitle_; }
    void setDialogTitle(const QString &title) { dialogTitle_ = title; }

    // Where the file chooser opens: a folder, or a file it starts on.
    QString InitialDir() const { return initialDir_; }
    void setInitialDir(const QString &dir) { initialDir_ = dir; }

    // File types: name NUL pattern NUL name NUL pattern NUL ..., ending with
    // an extra NUL; patterns of one type are separated by ';'.
    QString Filter() const { return filter_; }
    void setFilter(const QString &filter) { filter_ = filter; }

    // The colour of the last confirmed ColorCode (0x00BBGGRR); 0 at first.
    ColorValue ChosenColor() const { return chosenColor_; }
    void setChosenColor(ColorValue color) { chosenColor_ = color; }

    // Runs the open-file chooser owned by owner; the chosen file's full path,
    // or empty text when the user cancelled.
    QString FileName(QWidget *owner);
    // Runs the colour chooser owned by owner, opening on black (ChosenColor
    // does not preset it); true and ChosenColor set when the user confirmed,
    // false (ChosenColor kept) when the user cancelled.
    bool ColorCode(QWidget *owner);

private:
    ChooserService &choosers_;
    QString dialogTitle_;
    QString initialDir_;
    QString filter_;
    ColorValue chosenColor_ = 0;
};
