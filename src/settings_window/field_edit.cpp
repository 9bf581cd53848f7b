#include "settings_window/field_edit.h"

#include <QFocusEvent>
#include <QMouseEvent>

FieldEdit::FieldEdit(int index, QWidget *parent) : QLineEdit(parent)
{
    setObjectName(QStringLiteral("FLD%1").arg(index));
}

void FieldEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    selectAll();
    keepSelectionOnPress_ = event->reason() == Qt::MouseFocusReason;
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
