#include "support/Mouse.h"

juce::MouseEvent Mouse::pressAt(juce::Component& component, juce::Point<int> position,
                                juce::ModifierKeys modifiers)
{
    const auto now = juce::Time::getCurrentTime();
    return juce::MouseEvent(
        juce::Desktop::getInstance().getMainMouseSource(), position.toFloat(), modifiers,
        juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
        juce::MouseInputSource::defaultRotation, juce::MouseInputSource::defaultTiltX,
        juce::MouseInputSource::defaultTiltY, &component, &component, now, position.toFloat(), now, 1, false);
}
