#pragma once

namespace kestavo {

// A vendor's time in seconds as a timer period: nothing below zero, and
// never longer than a timer can wait.
unsigned SecondsToTimerMs(int seconds);

}  // namespace kestavo
