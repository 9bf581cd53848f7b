#pragma once
// The calculator page's controls inside its frame (AreaCaluc): the NBTN
// buttons and the display DSP2, over the calculator whose registers outlive
// the settings window.
#include <QWidget>

#include "calculator/calculator.h"

class QLabel;
class QPushButton;

class CalculatorPanel : public QWidget {
    Q_OBJECT
public:
    CalculatorPanel(Calculator &calculator, QWidget *parent);

    // Opening the page: the display restarts at "0"; the registers stay.
    void Open();
    // A key press anywhere in the window, before its controls: the focus
    // moves to "＝", then a key of the keyboard table presses its button.
    // Returns whether the key was used up (Space is, doing nothing).
    // Ctrl+C copies the whole value behind the display (CopyText), Ctrl+V
    // enters the clipboard's number, BackSpace takes back the last digit typed.
    bool KeyPressed(int qtKey, Qt::KeyboardModifiers modifiers = {}, bool autoRepeat = false);
    // A key released: Ctrl released with no key pressed while it was held
    // is "±", so that Ctrl+C and Ctrl+V change no sign.
    bool KeyReleased(int qtKey, bool autoRepeat = false);

private:
    void press(int key);

    Calculator &calculator_;
    QLabel *display_;            // DSP2
    QPushButton *equals_;        // NBTN20
    bool controlAlone_ = false;  // Ctrl is held and no other key came yet
};
