#pragma once
// A text field of the settings window (FLD): whenever it receives the focus,
// its whole text is selected, so typing replaces the value.
#include <QLineEdit>

class FieldEdit : public QLineEdit {
    Q_OBJECT
public:
    FieldEdit(int index, QWidget *parent);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // Set when a click gave the focus: that click must not undo the selection.
    bool keepSelectionOnPress_ = false;
    // The focusing click is swallowed whole, its drags included.
    bool swallowingClick_ = false;
};
