#include "platform/linux/message_boxes.h"

#include <algorithm>
#include <QAbstractButton>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTextLayout>

#include "platform/fits_in_room.h"

namespace {

// The share of its screen a box may take before its text wraps (width) or
// scrolls (height).
int TwoThirds(int length)
{
    return length * 2 / 3;
}

// The text of a box: a plain-text label whose lines are broken beforehand
// (the toolkit's own wrapping breaks no long path), in an area as large as
// the whole text that scrolls once the text is taller than it may be.
class MessageText : public QScrollArea {
public:
    MessageText(const QString &text, QWidget *box) : QScrollArea(box), text_(text), label_(new QLabel)
    {
        setObjectName(QStringLiteral("MessageTextArea"));
        setFrameShape(QFrame::NoFrame);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setWidgetResizable(true);
        setFocusPolicy(Qt::NoFocus);
        viewport()->setAutoFillBackground(false);
        label_->setObjectName(QStringLiteral("MessageText"));
        // A name from a file or an archive is shown as it is written, never
        // read as markup.
        label_->setTextFormat(Qt::PlainText);
        label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label_->setTextInteractionFlags(Qt::TextInteractionFlags(
            box->style()->styleHint(QStyle::SH_MessageBox_TextInteractionFlags, nullptr, box)));
        // A screen reader reads the text as written, not as broken for the eye.
        label_->setAccessibleName(text);
        setWidget(label_);
        label_->setAutoFillBackground(false);
    }

    // Lines of at most lineWidth pixels, at most maxHeight pixels before the
    // text scrolls, and at least minWidth pixels wide.
    void setLimits(int lineWidth, int maxHeight, int minWidth)
    {
        maxHeight_ = maxHeight;
        minWidth_ = minWidth;
        // Decided here, from the whole text, rather than from whatever size
        // the area has in a passing layout. Only an area that scrolls takes
        // the focus (its keys scroll it).
        const bool scrolls = wrap(lineWidth) > maxHeight_;
        if (scrolls)
            wrap(lineWidth - verticalScrollBar()->sizeHint().width());
        setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        setFocusPolicy(scrolls ? Qt::TabFocus : Qt::NoFocus);
        updateGeometry();
    }

    // Breaks the text for lines of at most width pixels; the text's height.
    int wrap(int width)
    {
        label_->setText(WrapMessageLines(text_, label_->font(), std::max(1, width)).join(u'\n'));
        return label_->sizeHint().height();
    }

    QSize minimumSizeHint() const override
    {
        QSize size = label_->sizeHint();
        if (size.height() > maxHeight_) {
            size.setHeight(maxHeight_);
            size.rwidth() += verticalScrollBar()->sizeHint().width();
        }
        return size.expandedTo(QSize(minWidth_, 0));
    }
    QSize sizeHint() const override { return minimumSizeHint(); }

private:
    const QString text_;
    QLabel *label_;
    int maxHeight_ = QWIDGETSIZE_MAX;
    int minWidth_ = 0;
};

// A message box that sizes itself to its whole text when it is shown. The
// toolkit's box sizes itself to its label on every layout change, wrapping
// at a fixed width that breaks no long word and never scrolling: its label
// stays hidden (it still carries the text for copying), and the box is
// sized again after the toolkit has sized it.
class MessageBoxWindow : public QMessageBox, public FitsInRoom {
public:
    MessageBoxWindow(QWidget *owner, const QString &text, const QString &title, MessageIcon icon)
        : QMessageBox(owner), text_(new MessageText(text, this))
    {
        setWindowTitle(title);
        setIcon(ToQtIcon(icon));
        setTextFormat(Qt::PlainText);
        setText(text);
        // The clock stays above every window, so its boxes must too.
        setWindowFlag(Qt::WindowStaysOnTopHint);
    }

    QSize smallestSize() const override { return smallest_; }

    // Beside a clock too large to leave it room otherwise.
    void fitInto(const QSize &room) override
    {
        room_ = room;
        fitText();
        fitBox();
    }

protected:
    void showEvent(QShowEvent *event) override
    {
        fitText();
        QMessageBox::showEvent(event);
        fitBox();
    }

    bool event(QEvent *event) override
    {
        const bool handled = QMessageBox::event(event);
        if (event->type() == QEvent::LayoutRequest && isVisible())
            fitBox();
        return handled;
    }

private:
    // Puts the text where the toolkit's label stands (the box lays itself
    // out again when its icon changes) and breaks its lines for the screen.
    void fitText()
    {
        auto *grid = qobject_cast<QGridLayout *>(layout());
        auto *label = findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        if (!grid || !label)
            return;
        if (grid->indexOf(text_) < 0) {
            int row = 0, column = 0, rows = 1, columns = 1;
            grid->getItemPosition(grid->indexOf(label), &row, &column, &rows, &columns);
            grid->addWidget(text_, row, column, rows, columns);
        }
        label->hide();

        const QRect area = screen()->availableGeometry();
        const int boxWidth = TwoThirds(area.width());
        const int maxHeight = TwoThirds(area.height());
        // What stands beside and below the text (icon, margins, buttons),
        // measured with a text as wide as the box may be, so that the
        // buttons' row does not count for the width.
        text_->setLimits(boxWidth, maxHeight, boxWidth);
        const QSize around = grid->totalMinimumSize() - text_->minimumSizeHint();
        const int minText = titleRoom() - around.width();
        // The least a box takes: lines of about sixteen characters, four
        // of them before the text scrolls.
        const int line = fontMetrics().height();
        text_->setLimits(16 * line, 4 * line, minText);
        smallest_ = grid->totalMinimumSize();

        QSize room(boxWidth, maxHeight + around.height());
        if (room_.isValid())
            room = room.boundedTo(room_);
        text_->setLimits(room.width() - around.width(), room.height() - around.height(), minText);
        smallest_ = smallest_.boundedTo(grid->totalMinimumSize());
    }

    void fitBox()
    {
        layout()->activate();
        setFixedSize(layout()->totalMinimumSize());
    }

    // A box as narrow as a short text leaves the window manager's title bar
    // too little room: "Tockara" reads "To…ara". The box is kept wide enough
    // for the title in a bold title font, with room for the title bar's
    // icon and its three buttons.
    int titleRoom() const
    {
        QFont titleFont = font();
        titleFont.setBold(true);
        return QFontMetrics(titleFont).horizontalAdvance(windowTitle()) * 5 / 4 + kTitleBarAllowance;
    }
    static constexpr int kTitleBarAllowance = 160;

    static Icon ToQtIcon(MessageIcon icon)
    {
        switch (icon) {
        case MessageIcon::Information: return Information;
        case MessageIcon::Question: return Question;
        case MessageIcon::Warning: return Warning;
        case MessageIcon::Critical: return Critical;
        case MessageIcon::None: break;
        }
        return NoIcon;
    }

    MessageText *text_;
    QSize room_;       // the room the box was fitted into, if any
    QSize smallest_;
};

class QtMessageBoxes : public MessageBoxService {
public:
    MessageAnswer show(QWidget *owner, const QString &text, const QString &title,
                       MessageButtons buttons, MessageIcon icon) override
    {
        MessageBoxWindow box(owner, text, title, icon);
        switch (buttons) {
        case MessageButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MessageButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MessageButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case MessageButtons::YesNoDefaultNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::No);
            box.setEscapeButton(QMessageBox::No);
            break;
        }
        switch (box.exec()) {
        case QMessageBox::Ok: return MessageAnswer::Ok;
        case QMessageBox::Yes: return MessageAnswer::Yes;
        case QMessageBox::No: return MessageAnswer::No;
        default:
            return buttons == MessageButtons::Ok       ? MessageAnswer::Ok
                 : buttons == MessageButtons::OkCancel ? MessageAnswer::Cancel
                                                       : MessageAnswer::No;
        }
    }

    // A notified box (an alarm) must be seen and answered whatever window of
    // the program is open. A modal window (the calendar, a settings page, the
    // memo) blocks every window shown before it, so the box is modal to the
    // whole program itself, and shown after that window. It is a window of
    // its own rather than a dialog of the clock's, stays above every window
    // and takes the focus.
    void notify(QWidget *owner, const QString &text, const QString &title, MessageIcon icon,
                std::function<void()> closed) override
    {
        QMessageBox *box = openOnItsOwn(owner, text, title, icon);
        box->setStandardButtons(QMessageBox::Ok);
        if (closed)
            QObject::connect(box, &QMessageBox::finished, box, [closed](int) { closed(); });
        showOnTop(*box);
    }

    void ask(QWidget *owner, const QString &text, const QString &title, const QStringList &choices,
             int fallback, MessageIcon icon, std::function<void(int)> answered) override
    {
        QMessageBox *box = openOnItsOwn(owner, text, title, icon);
        QList<QAbstractButton *> buttons;
        for (const QString &choice : choices)
            buttons << box->addButton(choice, QMessageBox::AcceptRole);
        if (fallback >= 0 && fallback < buttons.size()) {
            box->setDefaultButton(qobject_cast<QPushButton *>(buttons[fallback]));
            box->setEscapeButton(buttons[fallback]);
        }
        QObject::connect(box, &QMessageBox::finished, box, [box, buttons, fallback, answered](int) {
            const qsizetype pressed = buttons.indexOf(box->clickedButton());
            if (answered)
                answered(pressed >= 0 ? int(pressed) : fallback);
        });
        showOnTop(*box);
    }

private:
    // A box of its own, modal to the whole program, gone once answered or
    // once the window it belongs to ends.
    static QMessageBox *openOnItsOwn(QWidget *owner, const QString &text, const QString &title, MessageIcon icon)
    {
        auto *box = new MessageBoxWindow(nullptr, text, title, icon);
        // A message box resets its window flags when its modality is set:
        // set again after it, so that the box stays on top.
        box->setWindowModality(Qt::ApplicationModal);
        box->setWindowFlag(Qt::WindowStaysOnTopHint);
        box->setAttribute(Qt::WA_DeleteOnClose);
        if (owner)
            QObject::connect(owner, &QObject::destroyed, box, &QObject::deleteLater);
        return box;
    }

    static void showOnTop(QMessageBox &box)
    {
        box.show();
        box.raise();
        box.activateWindow();
    }
};

} // namespace

std::unique_ptr<MessageBoxService> MakeQtMessageBoxes()
{
    return std::make_unique<QtMessageBoxes>();
}

QStringList WrapMessageLines(const QString &text, const QFont &font, int width)
{
    QStringList lines;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (QString paragraph : text.split(u'\n')) {
        if (paragraph.endsWith(u'\r'))
            paragraph.chop(1);
        QTextLayout layout(paragraph, font);
        layout.setTextOption(option);
        layout.beginLayout();
        qsizetype before = lines.size();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines << paragraph.mid(line.textStart(), line.textLength());
        }
        layout.endLayout();
        if (lines.size() == before) {
            lines << QString();
            continue;
        }
        // The blank a line was broken at would only widen it.
        for (qsizetype i = before; i + 1 < lines.size(); ++i) {
            while (!lines[i].isEmpty() && lines[i].back().isSpace())
                lines[i].chop(1);
        }
    }
    return lines;
}
