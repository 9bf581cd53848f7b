#include "pickers/cls_dialog.h"

#include "face/color_value.h"
#include "platform/choosers.h"

QList<QPair<QString, QString>> ParseFileFilter(const QString &filter)
{
    const QStringList parts = filter.split(QChar(u'\0'));
    QList<QPair<QString, QString>> types;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        types.append({parts[i], parts[i + 1]});
    }
    return types;
}

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
