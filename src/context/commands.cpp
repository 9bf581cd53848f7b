#include "context/commands.h"

void CommandTable::bind(Command command, Handler handler)
{
    handlers_.insert(int(command), std::move(handler));
}

void CommandTable::bindCheck(Command command, CheckState state)
{
    checks_.insert(int(command), std::move(state));
}

void CommandTable::run(Command command, const CommandItem &item) const
{
    const auto found = handlers_.constFind(int(command));
    if (found != handlers_.cend() && *found)
        (*found)(item);
}

std::optional<bool> CommandTable::checked(Command command, const CommandItem &item) const
{
    const auto found = checks_.constFind(int(command));
    if (found == checks_.cend() || !*found)
        return std::nullopt;
    return (*found)(item);
}

bool CommandTable::isBound(Command command) const
{
    return handlers_.contains(int(command));
}
