#pragma once
// A text field of the settings window (FLD). When the user comes to it (by
// Tab, by a click from another control, or as the page opens) its whole text
// is selected, so typing replaces the value; coming back from a context menu
// or from another program keeps the selection the user left. A number field
// steps with Up and Down like its spin button. Enter in a field is the
// field's own: it does not press a button of the window.
#include <optional>
#include <QLineEdit>

#include "settings_window/spin_repeat.h"

class FieldEdit : public QLineEdit {
    Q_OBJECT
public:
    FieldEdit(int index, QWidget *parent);

    // Makes Up and Down step the field within range.
    void setStepRange(const SpinRange &range) { stepRange_ = range; }

protected:
    void focusInEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    std::optional<SpinRange> stepRange_;
    bool focusedBefore_ = false;
    // Set when a click gave the focus: that click must not undo the selection.
    bool keepSelectionOnPress_ = false;
    // The focusing click is swallowed whole, its drags included.
    bool swallowingClick_ = false;
};

// Whether a field that receives the focus for reason selects its whole text:
// the user arrives (Tab, a click, a shortcut, the page opening), as opposed to
// returning (after a context menu, or when the window becomes active again).
bool SelectsAllOnFocus(Qt::FocusReason reason);
