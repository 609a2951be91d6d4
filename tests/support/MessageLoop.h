#pragma once

#include <functional>

// Helpers for tests that need JUCE's asynchronous callbacks (posted messages, change broadcasts,
// text field listeners, timers driven by the loop) to run on the test thread.
namespace MessageLoop
{
// Runs the message loop for about the given time, dispatching everything that is posted.
void pump(int milliseconds = 0);

// Runs the message loop until the condition holds or the time-out passes; true when it held.
bool pumpUntil(const std::function<bool()>& condition, int timeoutMilliseconds = 5000);
} // namespace MessageLoop
