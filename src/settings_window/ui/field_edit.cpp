#include "settings_window/ui/field_edit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

bool SelectsAllOnFocus(Qt::FocusReason reason)
{
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
}

FieldEdit::FieldEdit(int index, QWidget *parent) : QLineEdit(parent)
{
    setObjectName(QStringLiteral("FLD%1").arg(index));
}

void FieldEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    // The first focus comes with the page opening, whatever its reason.
    const bool first = !focusedBefore_;
    focusedBefore_ = true;
    if (!first && !SelectsAllOnFocus(event->reason()))
        return;
    selectAll();
    keepSelectionOnPress_ = event->reason() == Qt::MouseFocusReason;
}

void FieldEdit::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (stepRange_ && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        const QString next =
            SpinStep(text(), key == Qt::Key_Up ? SpinIncrease : SpinDecrease, *stepRange_);
        if (next != text())
            setText(next);
        return;
    }
    QLineEdit::keyPressEvent(event);
    // The line edit lets Enter through to the window, which would press a
    // button the user did not choose.
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        event->accept();
}

void FieldEdit::mousePressEvent(QMouseEvent *event)
{
    swallowingClick_ = keepSelectionOnPress_ && event->button() == Qt::LeftButton;
    keepSelectionOnPress_ = false;
    if (swallowingClick_) {
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void FieldEdit::mouseMoveEvent(QMouseEvent *event)
{
    if (swallowingClick_) {
        event->accept();
        return;
    }
    QLineEdit::mouseMoveEvent(event);
}

void FieldEdit::mouseReleaseEvent(QMouseEvent *event)
{
    if (swallowingClick_ && event->button() == Qt::LeftButton) {
        swallowingClick_ = false;
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}
