#include "settings_window/ui/accessible_names.h"

#include <limits>
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "settings_window/ui/color_swatch.h"

namespace {

// How far above a field its label may end, in pixels.
constexpr int kAboveReach = 30;

bool IsField(const QWidget *widget)
{
    return qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QPlainTextEdit *>(widget)
        || qobject_cast<const QTextEdit *>(widget) || qobject_cast<const QAbstractSpinBox *>(widget)
        || qobject_cast<const QComboBox *>(widget) || qobject_cast<const ColorSwatch *>(widget);
}

QString Caption(const QLabel *label)
{
    return label->text().remove(u'&').trimmed();
}

// The labels beside which a field may stand: those of its own parent with
// text, not swatches, not already some other control's label.
QList<QLabel *> CandidateLabels(const QWidget *field)
{
    QList<QLabel *> labels;
    for (QLabel *label : field->parentWidget()->findChildren<QLabel *>(Qt::FindDirectChildrenOnly)) {
        if (!qobject_cast<ColorSwatch *>(label) && !label->isHidden() && !Caption(label).isEmpty()
            && (!label->buddy() || label->buddy() == field))
            labels.append(label);
    }
    return labels;
}

QLabel *LabelOf(QWidget *page, QWidget *field)
{
    for (QLabel *label : page->findChildren<QLabel *>())
        if (label->buddy() == field && !Caption(label).isEmpty())
            return label;
    if (!field->parentWidget())
        return nullptr;
    const QRect at = field->geometry();
    QLabel *left = nullptr, *above = nullptr;
    int leftGap = std::numeric_limits<int>::max(), aboveGap = kAboveReach + 1;
    for (QLabel *label : CandidateLabels(field)) {
        const QRect box = label->geometry();
        const bool sameRow = box.top() <= at.center().y() && at.center().y() <= box.bottom();
        if (sameRow && box.right() <= at.left() + 2 && at.left() - box.right() < leftGap) {
            left = label;
            leftGap = at.left() - box.right();
        }
        const bool overlaps = box.left() < at.right() && box.right() > at.left();
        if (overlaps && box.bottom() <= at.top() + 2 && at.top() - box.bottom() < aboveGap) {
            above = label;
            aboveGap = at.top() - box.bottom();
        }
    }
    return left ? left : above;
}

// The field on a chooser button's row, right before it.
QWidget *FieldLeftOf(const QWidget *button)
{
    const QRect at = button->geometry();
    QWidget *nearest = nullptr;
    int gap = std::numeric_limits<int>::max();
    for (QWidget *sibling : button->parentWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        const QRect box = sibling->geometry();
        if (IsField(sibling) && box.top() <= at.center().y() && at.center().y() <= box.bottom()
            && box.right() <= at.left() + 2 && at.left() - box.right() < gap) {
            nearest = sibling;
            gap = at.left() - box.right();
        }
    }
    return nearest;
}

// A drop-down list (not editable) read by its name, its entry its value;
// its one child is the list it drops down.
class NamedListAccessible : public QAccessibleWidget {
public:
    explicit NamedListAccessible(QComboBox *list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            return list()->accessibleName().isEmpty() ? list()->currentText() : list()->accessibleName();
        case QAccessible::Value:
            return list()->currentText();
        case QAccessible::Accelerator:
            return QKeySequence(Qt::Key_Down).toString(QKeySequence::NativeText);
        default:
            return QAccessibleWidget::text(t);
        }
    }
    int childCount() const override { return 1; }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && child->object() == list()->view() ? 0 : -1;
    }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString &action) override
    {
        if (action != showMenuAction() && action != pressAction())
            return;
        if (list()->view()->isVisible())
            list()->hidePopup();
        else
            list()->showPopup();
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QComboBox *list() const { return static_cast<QComboBox *>(widget()); }
};

// A colour swatch read as a button; pressing it opens the colour chooser.
class SwatchAccessible : public QAccessibleWidget {
public:
    explicit SwatchAccessible(ColorSwatch *swatch) : QAccessibleWidget(swatch, QAccessible::Button) {}

    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }
    void doAction(const QString &action) override
    {
        if (action == pressAction())
            static_cast<ColorSwatch *>(widget())->ChooseColor();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface *ControlAccessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("QComboBox")) {
        auto *list = qobject_cast<QComboBox *>(object);
        if (list && !list->isEditable())
            return new NamedListAccessible(list);
    } else if (className == QLatin1String("ColorSwatch")) {
        if (auto *swatch = qobject_cast<ColorSwatch *>(object))
            return new SwatchAccessible(swatch);
    }
    return nullptr;
}

} // namespace

void InstallAccessibleControls()
{
    static const bool installed = (QAccessible::installFactory(ControlAccessibleFactory), true);
    Q_UNUSED(installed);
}

void NameControlsFromLabels(QWidget *page)
{
    for (QWidget *widget : page->findChildren<QWidget *>()) {
        if (!IsField(widget) || !widget->accessibleName().isEmpty())
            continue;
        if (QLabel *label = LabelOf(page, widget)) {
            widget->setAccessibleName(Caption(label));
            if (!label->buddy())
                label->setBuddy(widget);
        }
    }
    for (QAbstractButton *button : page->findChildren<QAbstractButton *>()) {
        if (button->text() != QLatin1String("...") || !button->accessibleName().isEmpty()
            || !button->parentWidget())
            continue;
        const QWidget *field = FieldLeftOf(button);
        const bool folder = field && field->accessibleName().contains(QStringLiteral("フォルダ"));
        button->setAccessibleName(folder ? QStringLiteral("フォルダを選ぶ")
                                         : QStringLiteral("ファイルを選ぶ"));
    }
}
