#pragma once
// Every feature's settings pages and menu commands, registered at start-up.
struct Context;
struct RunningClock;

void RegisterFeatures(Context &ctx, RunningClock &running);
