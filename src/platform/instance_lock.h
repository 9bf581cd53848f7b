#pragma once

// One running clock per program folder: two clocks would write the same
// Tockara.ini and diary files.
class InstanceLock {
public:
    virtual ~InstanceLock() = default;
    // Takes the lock for this process; false when another clock holds it.
    // The lock is held until this object is destroyed or the process ends.
    virtual bool tryLock() = 0;
};
