#pragma once
// The fortune message a double click on the clock shows.
#include <array>
#include <QString>

class LocalClock;
class MessageBoxService;
class QWidget;

// The 30 fortune phrases, by number.
const std::array<QString, 30> &FortuneMessages();

// Picks one phrase at random, the generator seeded afresh from the clock, and
// shows it in a "Tockara" box with an OK button owned by owner. Changes nothing.
void ShowFortune(MessageBoxService &messages, const LocalClock &clock, QWidget *owner);
