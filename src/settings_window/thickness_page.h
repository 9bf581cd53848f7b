#pragma once
// The hand thickness page (AreaThick): widths of the hour, minute and second
// hands.
#include <array>

class QFrame;
class QWidget;
struct Context;
class FieldEdit;

class ThicknessPage {
public:
    ThicknessPage(QFrame *area, Context &ctx, QWidget *owner);

    // Fills the fields from the settings.
    void Open();
    // Stores the typed widths (outside 1..4 they become 1). false, with
    // nothing stored, when a field does not hold a number.
    bool Apply();

private:
    Context &ctx_;
    QWidget *owner_;
    std::array<FieldEdit *, 3> fields_;   // hour, minute, second hand
};
