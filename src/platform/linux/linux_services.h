#pragma once
// The platform services of a Linux desktop session, on Qt and the system's
// own interfaces. Only start-up (and the tests of these implementations)
// create them; everything else sees the interfaces of platform/.
#include <memory>

#include "platform/instance_lock.h"
#include "platform/services.h"

// The real services of a Linux desktop session.
Services MakeLinuxServices();
// The lock that keeps a second clock from starting on this display.
std::unique_ptr<InstanceLock> MakeLinuxInstanceLock();
