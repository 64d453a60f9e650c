#pragma once

// Process clocks read from /proc, shared by the start-up benchmark and its bare window.
namespace StartupClock {
// Seconds from this process's start to now (/proc resolution: 0.01 s).
double sinceProcessStart();
// Resident memory of this process in KiB, or -1.
long residentKiB();
} // namespace StartupClock
