#pragma once
#include <QString>

class QWidget;

// Message boxes of the program. Every box is modal; show() returns when the
// user has answered.
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageIcon { None, Information, Question, Warning, Critical };
enum class MessageAnswer { Ok, Cancel, Yes, No };

class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    // Shows text under title with the given buttons and icon, owned by owner
    // (may be null); returns the button the user pressed. Closing the box
    // without a button counts as Cancel (OkCancel), No (YesNo) or Ok (Ok).
    virtual MessageAnswer show(QWidget *owner, const QString &text, const QString &title,
                               MessageButtons buttons, MessageIcon icon) = 0;
};
