#pragma once
// What a later start in the same program folder may ask of the running clock
// (a desktop shortcut runs `tockara --menu`). The channel carries nothing but
// these fixed requests: anything else that reaches it is dropped unread.
#include <functional>
#include <memory>

enum class ClockRequest { OpenMenu };

class ClockRequestListener {
public:
    virtual ~ClockRequestListener() = default;
    // Starts hearing requests; each one heard is handed to onRequest on the
    // UI thread, after the event that brought it is over. false when the
    // channel could not be opened: the clock runs on without it.
    virtual bool listen(std::function<void(ClockRequest)> onRequest) = 0;
};
