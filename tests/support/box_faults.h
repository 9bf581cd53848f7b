#pragma once
// What keeps a shown message box from showing its whole text: checked by the
// size hints of the box's own label and the places of its parts.
#include <functional>
#include <gtest/gtest.h>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include "support/fake_services.h"

// The message box on the screen, if any.
inline QMessageBox *OpenMessageBox()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible())
            return box;
    return nullptr;
}

// The text with every blank and line break taken out: the words shown, in order.
inline QString Squeezed(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("\\s")));
    return text;
}

// One text per fault of box, which should show text under title: the whole
// text, as written (never as markup), not cut by the label's size nor by the
// box; every part of the box inside it; the box no wider than two thirds of
// its screen, and wide enough for the title bar to show the title.
inline QStringList BoxFaultList(QMessageBox &box, const QString &text, const QString &title)
{
    QStringList faults;
    box.layout()->activate();
    const QLabel *label = box.findChild<QLabel *>(QStringLiteral("MessageText"));
    if (!label || !label->isVisibleTo(&box))
        label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    if (!label)
        return {QStringLiteral("no text label")};
    if (box.windowTitle() != title)
        faults << "titled " + box.windowTitle();
    if (Squeezed(label->text()) != Squeezed(text))
        faults << "shows '" + label->text() + "'";
    if (label->textFormat() != Qt::PlainText && Qt::mightBeRichText(label->text()))
        faults << QStringLiteral("reads its text as markup");

    const QWidget *view = label->parentWidget();
    // The label is as large as its text asks; what of it lies outside the
    // area it scrolls in can be scrolled to.
    const QSize needed = label->wordWrap()
                             ? QSize(label->minimumSizeHint().width(), label->heightForWidth(label->width()))
                             : label->sizeHint();
    if (needed.width() > label->width() || needed.height() > label->height() || getenv("BOXDEBUG"))
        faults << QStringLiteral("text of %1x%2 in a label of %3x%4")
                      .arg(needed.width()).arg(needed.height()).arg(label->width()).arg(label->height()) + QStringLiteral(" box %1x%2 view %3x%4").arg(box.width()).arg(box.height()).arg(view->width()).arg(view->height());
    if (auto *area = qobject_cast<QAbstractScrollArea *>(view ? view->parentWidget() : nullptr)) {
        if (label->width() > view->width())
            faults << QStringLiteral("text wider than its area");
        if (label->height() > view->height() && !area->verticalScrollBar()->isVisibleTo(&box))
            faults << QStringLiteral("text taller than its area, which does not scroll");
    }

    // Every part inside the box (the text's label counts by its area).
    for (const QWidget *part : box.findChildren<QWidget *>()) {
        if (!part->isVisibleTo(&box) || part == label || part->parentWidget() == view)
            continue;
        const QRect at(part->mapTo(&box, QPoint()), part->size());
        if (!box.rect().contains(at))
            faults << part->metaObject()->className() + (" " + part->objectName()) + " sticks out";
    }

    const QRect screen = box.screen()->availableGeometry();
    if (box.width() > screen.width() * 2 / 3 || box.height() > screen.height())
        faults << QStringLiteral("box of %1x%2 on a screen of %3x%4")
                      .arg(box.width()).arg(box.height()).arg(screen.width()).arg(screen.height());
    // The window manager's title bar: the window icon and three buttons
    // take about 24 pixels each, the frame the rest.
    QFont bold = box.font();
    bold.setBold(true);
    if (box.width() < QFontMetrics(bold).horizontalAdvance(title) + 4 * 24 + 40)
        faults << QStringLiteral("too narrow for its title");
    return faults;
}

inline std::string BoxFaults(QMessageBox &box, const QString &text, const QString &title)
{
    return BoxFaultList(box, text, title).join(QStringLiteral("; ")).toStdString();
}

// Shows shown through messages as the program showed it (waited for,
// notified or asked), hands the open box to look, and closes it.
inline void WithShownBox(MessageBoxService &messages, const FakeMessageBoxes::Shown &shown,
                         const std::function<void(QMessageBox &)> &look)
{
    auto lookAt = [&look] {
        QMessageBox *box = OpenMessageBox();
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(box));
        look(*box);
        box->done(0);
    };
    if (shown.waited) {
        QTimer::singleShot(0, lookAt);   // the box runs its own loop
        messages.show(nullptr, shown.text, shown.title, shown.buttons, shown.icon);
    } else if (!shown.choices.isEmpty()) {
        messages.ask(nullptr, shown.text, shown.title, shown.choices, 0, shown.icon, {});
        lookAt();
    } else {
        messages.notify(nullptr, shown.text, shown.title, shown.icon);
        lookAt();
    }
    // A box closed is deleted later.
    QTest::qWait(0);
}
