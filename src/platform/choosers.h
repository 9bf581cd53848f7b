#pragma once
#include <optional>
#include <QColor>
#include <QList>
#include <QPair>
#include <QString>

class QWidget;

// The desktop's standard choosers. Cancelling is never an error.
class ChooserService {
public:
    virtual ~ChooserService() = default;
    // An existing file, chosen in a file chooser titled title that opens in
    // initialDir (or at initialDir when it names a file) and offers filters,
    // each (description, patterns separated by ';'), the first preselected.
    // Returns the full path, or empty text on cancel.
    virtual QString chooseFile(QWidget *owner, const QString &title, const QString &initialDir,
                               const QList<QPair<QString, QString>> &filters) = 0;
    // A colour from the colour chooser, or nothing on cancel.
    virtual std::optional<QColor> chooseColor(QWidget *owner, QColor initial) = 0;
    // An existing folder, chosen in a folder chooser that opens at
    // startFolder, or empty text on cancel.
    virtual QString chooseFolder(QWidget *owner, const QString &title, const QString &startFolder) = 0;
};
