#pragma once
// The note window (frmToDo): the small modal editor of a day's diary entry
// (PageRequest 7, from the calendar) and of the quick memo (PageRequest 10).
// It is created for each opening and dropped when it closes. A note that
// cannot be stored keeps the window open with the text, and the user is told.
#include <QDialog>

struct Context;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class NoteWindow : public QDialog {
    Q_OBJECT
public:
    enum class Mode { None, Diary, Memo };

    // Sets ToolWindowOpen and sets up the mode that ctx.PageRequest names;
    // any other page sets up nothing. ctx.notes must exist.
    NoteWindow(Context &ctx, QWidget *parent = nullptr);

    Mode mode() const { return mode_; }

    // Closing by any way: in memo mode ToolWindowOpen is cleared; in diary
    // mode it stays set, for the settings window that opened the diary.
    void done(int result) override;

protected:
    // Escape closes without storing, after asking when the text was changed.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildControls();
    void setUpDiary();
    void setUpMemo();
    void setTitle(const QString &title);
    void setPanelColor(const QColor &color);
    void store();
    void storeDiary();
    void storeMemo();
    void tellNotStored(const QString &file);
    bool confirmDiscard();

    Context &ctx_;
    Mode mode_ = Mode::None;
    QFrame *panel_ = nullptr;        // BORD1
    QLabel *title_ = nullptr;        // LBL2
    QLabel *warning_ = nullptr;      // LBL3
    QPlainTextEdit *text_ = nullptr; // FLD0
    QString openedText_;             // the text as set up, to tell a changed one
    QPushButton *storeButton_ = nullptr;  // BTN0
    QPushButton *closeButton_ = nullptr;  // BTN1
};

// Opens the note window for ctx.PageRequest above all other windows and
// waits until it is closed; the clock keeps ticking meanwhile.
void OpenNoteWindow(Context &ctx, QWidget *owner);
