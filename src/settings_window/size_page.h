#pragma once
// The clock size page (AreaSize): width and height of the clock window.
class QFrame;
class QWidget;
struct Context;
class FieldEdit;

class SizePage {
public:
    // Builds the page's controls into area; messages are owned by owner.
    SizePage(QFrame *area, Context &ctx, QWidget *owner);

    // Fills the fields from the settings.
    void Open();
    // Stores the typed size (out-of-range values become 80). false, with
    // nothing stored, when a field does not hold a number.
    bool Apply();

private:
    Context &ctx_;
    QWidget *owner_;
    FieldEdit *width_;
    FieldEdit *height_;
};
