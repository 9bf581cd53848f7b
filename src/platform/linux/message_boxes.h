#pragma once
// The program's message boxes on the toolkit.
#include <memory>
#include <QString>
#include <QStringList>

#include "platform/message_box.h"

class QFont;

// Message boxes that show their whole text as plain text: wrapped where a
// line would make the box wider than about two thirds of its screen,
// scrolled where the text is taller than two thirds of the screen, and
// never narrower than the title bar needs to show the title.
std::unique_ptr<MessageBoxService> MakeQtMessageBoxes();

// text broken into lines no wider than width pixels in font: where the
// language allows a break (between Japanese characters, at blanks), and
// inside a word only where the word alone is wider than a line (a long
// path). Lines the text already has stay lines.
QStringList WrapMessageLines(const QString &text, const QFont &font, int width);
