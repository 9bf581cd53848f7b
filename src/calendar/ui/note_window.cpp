#include "calendar/ui/note_window.h"

#include <algorithm>
#include <QDir>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "calendar/notes.h"
#include "context/context.h"
#include "context/pages.h"

namespace {

// Panel colours of the two modes: pale green for the diary, pale blue for the memo.
const QColor kDiaryColor(0xC0, 0xFF, 0xC0);
const QColor kMemoColor(0xC0, 0xC0, 0xFF);

// Client area: the panel with an 8-pixel margin, the buttons below it.
constexpr int kWindowWidth = 257;
constexpr int kWindowHeight = 225;

} // namespace

NoteWindow::NoteWindow(Context &ctx, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), ctx_(ctx)
{
    setObjectName(QStringLiteral("frmToDo"));
    setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
    setFixedSize(kWindowWidth, kWindowHeight);
    buildControls();

    ctx_.ToolWindowOpen = true;
    if (ctx_.PageRequest == PageCalendar)
        setUpDiary();
    else if (ctx_.PageRequest == PageMemo)
        setUpMemo();
}

void NoteWindow::buildControls()
{
    panel_ = new QFrame(this);
    panel_->setObjectName(QStringLiteral("BORD1"));
    panel_->setGeometry(8, 8, 241, 177);
    panel_->setAutoFillBackground(true);

    title_ = new QLabel(panel_);
    title_->setObjectName(QStringLiteral("LBL2"));
    title_->setTextFormat(Qt::PlainText);
    title_->setGeometry(8, 8, 129, 17);

    warning_ = new QLabel(QStringLiteral("10行までしか記録されません。"), panel_);
    warning_->setObjectName(QStringLiteral("LBL3"));
    warning_->setTextFormat(Qt::PlainText);
    // The text box starts 13 pixels below the label's top and covers the rest
    // of it: the warning stands at the top of its label, as the form's labels
    // draw their text.
    warning_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // 145 pixels hold the warning only in narrower fonts than IPAPGothic; the
    // label grows so that the warning is never cut short.
    warning_->setGeometry(24, 27, std::max(145, warning_->sizeHint().width()), 17);

    text_ = new QPlainTextEdit(panel_);
    text_->setObjectName(QStringLiteral("FLD0"));
    text_->setGeometry(8, 40, 225, 129);
    // Tab goes on to the buttons, as in the form's text boxes.
    text_->setTabChangesFocus(true);
    // A reader hears the warning above the text box with it.
    text_->setAccessibleDescription(warning_->text());

    storeButton_ = new QPushButton(QStringLiteral("登録"), this);
    storeButton_->setObjectName(QStringLiteral("BTN0"));
    storeButton_->setGeometry(8, 192, 65, 25);
    // A focused button takes Enter; in the text Enter starts a new line.
    storeButton_->setAutoDefault(true);
    connect(storeButton_, &QPushButton::clicked, this, &NoteWindow::store);

    closeButton_ = new QPushButton(QStringLiteral("閉じる"), this);
    closeButton_->setObjectName(QStringLiteral("BTN1"));
    closeButton_->setGeometry(184, 192, 65, 25);
    closeButton_->setAutoDefault(true);
    connect(closeButton_, &QPushButton::clicked, this, &NoteWindow::reject);
}

// The mode's title above the text names the text box too.
void NoteWindow::setTitle(const QString &title)
{
    title_->setText(title);
    text_->setAccessibleName(title);
}

void NoteWindow::setPanelColor(const QColor &color)
{
    QPalette palette = panel_->palette();
    palette.setColor(QPalette::Window, color);
    panel_->setPalette(palette);
}

void NoteWindow::setUpDiary()
{
    mode_ = Mode::Diary;
    NoteData &notes = ctx_.notes;
    const NoteDate date = notes.DiaryDate;
    setTitle(QStringLiteral("日記帳"));
    setPanelColor(kDiaryColor);
    const qint16 count = LoadDiaryDay(notes, ctx_.programFolder, date.Year, date.Month, date.Day);
    setWindowTitle(QStringLiteral("%1/%2/%3").arg(date.Year).arg(date.Month).arg(date.Day));
    text_->setPlainText(JoinNoteLines(notes.DiaryLines, count));
    openedText_ = text_->toPlainText();
}

void NoteWindow::setUpMemo()
{
    mode_ = Mode::Memo;
    const NoteData &notes = ctx_.notes;
    setTitle(QStringLiteral("ちょいメモ"));
    setPanelColor(kMemoColor);
    setWindowTitle(QStringLiteral("ちょいメモ設定"));
    text_->setPlainText(JoinNoteLines(notes.MemoLines, notes.MemoLineCount));
    openedText_ = text_->toPlainText();
}

void NoteWindow::store()
{
    if (mode_ == Mode::Diary)
        storeDiary();
    else if (mode_ == Mode::Memo)
        storeMemo();
}

void NoteWindow::storeDiary()
{
    NoteData &notes = ctx_.notes;
    const NoteDate date = notes.DiaryDate;
    notes.DiaryLines = SplitNoteLines(text_->toPlainText());
    if (!SaveDiaryDay(notes, ctx_.programFolder, date.Year, date.Month, date.Day)) {
        tellNotStored(notes.DiaryFilePath);
        return;
    }
    accept();
}

void NoteWindow::storeMemo()
{
    const MessageAnswer answer = ctx_.services.messages->show(
        this, QStringLiteral("登録します"), QStringLiteral("確認"), MessageButtons::YesNo,
        MessageIcon::None);
    if (answer != MessageAnswer::Yes)
        return;
    // The memo in memory (and so the hover window) changes only with the file.
    NoteData edited = ctx_.notes;
    edited.MemoLines = SplitNoteLines(text_->toPlainText());
    edited.MemoLineCount = CountNoteLines(edited.MemoLines);
    if (!SaveMemo(edited, ctx_.settingsPath())) {
        tellNotStored(ctx_.settingsPath());
        return;
    }
    JoinMemo(edited);
    ctx_.notes = edited;
    accept();
}

void NoteWindow::tellNotStored(const QString &file)
{
    ShowWriteFailure(*ctx_.services.messages, this, QStringLiteral("記録できませんでした。"), file,
                     QStringLiteral("書いた内容はこのウィンドウに残っています。"));
}

void NoteWindow::keyPressEvent(QKeyEvent *event)
{
    // Escape is easily pressed by mistake: typed text is thrown away only
    // when the user says so.
    if (event->matches(QKeySequence::Cancel) && text_->toPlainText() != openedText_
        && !confirmDiscard()) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool NoteWindow::confirmDiscard()
{
    // Return keeps what was written: the question comes after an Escape
    // that may have been a slip.
    return ctx_.services.messages->show(this, QStringLiteral("書いた内容を登録せずに閉じますか？"),
                                        QStringLiteral("確認"), MessageButtons::YesNoDefaultNo, MessageIcon::None)
           == MessageAnswer::Yes;
}

void NoteWindow::done(int result)
{
    if (mode_ == Mode::Memo)
        ctx_.ToolWindowOpen = false;
    QDialog::done(result);
}

void OpenNoteWindow(Context &ctx, QWidget *owner)
{
    NoteWindow window(ctx, owner);
    window.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    window.exec();
}
