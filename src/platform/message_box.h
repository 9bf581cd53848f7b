#pragma once
#include <functional>
#include <QString>
#include <QStringList>

class QWidget;

// Message boxes of the program. A box shown with show() is modal and returns
// when the user has answered; one shown with notify() stays on the screen on
// its own while the program goes on.
// YesNoDefaultNo: Return answers No (a question whose Yes throws work away).
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoDefaultNo };
enum class MessageIcon { None, Information, Question, Warning, Critical };
enum class MessageAnswer { Ok, Cancel, Yes, No };

class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    // Shows text under title with the given buttons and icon, owned by owner
    // (may be null); returns the button the user pressed. Closing the box
    // without a button counts as Cancel (OkCancel), No (YesNo,
    // YesNoDefaultNo) or Ok (Ok).
    virtual MessageAnswer show(QWidget *owner, const QString &text, const QString &title,
                               MessageButtons buttons, MessageIcon icon) = 0;
    // Shows text under title with an OK button and icon, owned by owner, and
    // returns at once; the box stays until the user closes it, then closed
    // (when given) runs. The box comes above every window, takes the focus
    // and answers while any other window of the program is open.
    virtual void notify(QWidget *owner, const QString &text, const QString &title,
                        MessageIcon icon, std::function<void()> closed = {}) = 0;
    // Shows text under title with one button for each of choices (left to
    // right) and icon, owned by owner, and returns at once, like notify();
    // once the user has pressed a button, answered runs with its index:
    // fallback when the box is closed without one (Escape, the title bar).
    virtual void ask(QWidget *owner, const QString &text, const QString &title, const QStringList &choices,
                     int fallback, MessageIcon icon, std::function<void(int)> answered) = 0;
};
