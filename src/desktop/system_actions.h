#pragma once
// Restarting and shutting down the computer from the launcher submenu
// ("再起動", "Windows終了"): a question first, then the request.
class MessageBoxService;
class SystemPower;
class QWidget;

enum class PowerAction { Restart, Shutdown };

// Asks "Windowsを再起動しますか？" or "Windowsを終了しますか？" (Yes/No, no
// icon, title "Tockara"); on Yes asks the system to restart or power off.
// A refusal by the system is not reported.
void ConfirmPowerAction(PowerAction action, MessageBoxService &messages, SystemPower &power,
                        QWidget *owner);
