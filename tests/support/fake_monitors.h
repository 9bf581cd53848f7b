#pragma once
// A screen of several monitors in a session of a given kind: the fake
// screen, whose monitors and session each test sets.
#include "support/fake_services.h"

using FakeMonitorScreen = FakeScreen;
