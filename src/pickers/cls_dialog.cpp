#include "pickers/cls_dialog.h"

#include "face/color_value.h"
#include "platform/choosers.h"

QString clsDialog::FileName(QWidget *owner)
{
    return choosers_.chooseFile(owner, dialogTitle_, initialDir_, ParseFileFilter(filter_));
}

bool clsDialog::ColorCode(QWidget *owner)
{
    // Not preset: the chooser opens on black whatever ChosenColor holds.
    const std::optional<QColor> chosen = choosers_.chooseColor(owner, QColor(Qt::black));
    if (!chosen || !chosen->isValid())
        return false;
    chosenColor_ = ToColorValue(*chosen);
    return true;
}
