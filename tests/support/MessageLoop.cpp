#include "support/MessageLoop.h"

#include <juce_events/juce_events.h>

namespace MessageLoop
{
void pump(int milliseconds)
{
    // A zero-length run still dispatches what is already queued.
    juce::MessageManager::getInstance()->runDispatchLoopUntil(juce::jmax(1, milliseconds));
}

bool pumpUntil(const std::function<bool()>& condition, int timeoutMilliseconds)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMilliseconds;
    while (!condition())
    {
        if (juce::Time::getMillisecondCounter() >= end)
            return condition();
        pump(1);
    }
    return true;
}
} // namespace MessageLoop
