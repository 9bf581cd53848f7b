#include "settings_window/ui/page_controls.h"

#include <QCheckBox>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "platform/message_box.h"
#include "settings_window/page_values.h"
#include "settings_window/ui/field_edit.h"

namespace {
constexpr int kButtonWidth = 65;
constexpr int kButtonHeight = 25;
constexpr int kFieldHeight = 20;
}

QLabel *MakeLabel(const QString &name, const QString &text, QWidget *parent, int x, int y)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    // Values shown in labels come from files and devices (a CD's name, a
    // path): shown as written, never read as markup.
    label->setTextFormat(Qt::PlainText);
    label->move(x, y);
    label->adjustSize();
    return label;
}

QPushButton *MakeButton(const QString &name, const QString &text, QWidget *parent, int x, int y)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(x, y, kButtonWidth, kButtonHeight);
    // A focused button takes Enter, as on every desktop; fields keep their
    // Enter to themselves, so it never presses a button the user did not choose.
    button->setAutoDefault(true);
    return button;
}

QCheckBox *MakeCheckBox(int index, const QString &text, QWidget *parent, int x, int y)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(QStringLiteral("CHK%1").arg(index));
    box->move(x, y);
    box->adjustSize();
    return box;
}

FieldEdit *MakeField(int index, QWidget *parent, int x, int y, int width)
{
    auto *field = new FieldEdit(index, parent);
    field->setGeometry(x, y, width, kFieldHeight);
    return field;
}

void TabToCheckedOptions(QWidget *page)
{
    QHash<QWidget *, QList<QRadioButton *>> groups;
    QList<QWidget *> parents;   // in the order the groups were made
    for (QRadioButton *option : page->findChildren<QRadioButton *>()) {
        if (!option->autoExclusive())
            continue;
        if (!groups.contains(option->parentWidget()))
            parents.append(option->parentWidget());
        groups[option->parentWidget()].append(option);
    }
    for (QWidget *parent : parents) {
        const QList<QRadioButton *> group = groups.value(parent);
        const auto follow = [group] {
            QRadioButton *stop = group.first();
            for (QRadioButton *option : group) {
                if (option->isChecked())
                    stop = option;
            }
            for (QRadioButton *option : group)
                option->setFocusPolicy(option == stop ? Qt::StrongFocus : Qt::ClickFocus);
        };
        for (QRadioButton *option : group)
            QObject::connect(option, &QAbstractButton::toggled, option, follow);
        follow();
    }
}

std::optional<qint64> ReadNumberField(MessageBoxService &messages, QWidget *owner,
                                      FieldEdit *field, const QString &fieldName)
{
    if (std::optional<qint64> value = ParseFieldNumber(field->text()))
        return value;
    messages.show(owner, QStringLiteral("「%1」には数値を入力してください。").arg(fieldName),
                  QStringLiteral("Tockara"), MessageButtons::Ok, MessageIcon::Warning);
    field->setFocus(Qt::OtherFocusReason);
    return std::nullopt;
}
