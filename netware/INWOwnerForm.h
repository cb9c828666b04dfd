// The owner window of the connection component, as far as the component needs it: a way to reach the
// windowed controls on it.
#pragma once

#include <cstdint>

namespace nw
{

// Sent to the owner's controls after the server or the directory context changed, and after the login did.
constexpr uint32_t kNWServerChangedMessage = 0xB841;
constexpr uint32_t kNWUserChangedMessage = 0xB842;

class INWOwnerForm
{
public:
    virtual ~INWOwnerForm() = default;
    // Sends the message, with both parameters 0, to every windowed control of the form in component order,
    // and returns when each has handled it.
    virtual void SendToWindowedControls(uint32_t message) = 0;
};

} // namespace nw
