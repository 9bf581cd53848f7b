#include "desktop/system_actions.h"

#include "platform/message_box.h"
#include "platform/system_power.h"

void ConfirmPowerAction(PowerAction action, MessageBoxService &messages, SystemPower &power,
                        QWidget *owner)
{
    const bool restart = action == PowerAction::Restart;
    const QString question = restart ? "Windowsを再起動しますか？" : "Windowsを終了しますか？";
    if (messages.show(owner, question, "Tockara", MessageButtons::YesNo, MessageIcon::None)
        != MessageAnswer::Yes)
        return;
    if (restart)
        power.requestRestart();
    else
        power.requestPowerOff();
}
