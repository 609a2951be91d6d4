#pragma once

#include "ui/ControlInfo.h"

#include <juce_core/juce_core.h>

// The map of the device's panel: every knob, slider, button and LED with its id, name, picture
// region and marker geometry, read once from the layout document compiled into the program.
// Knobs and sliders share the analog list (their ids index the model's analog records); button i
// and LED i share a key's rectangle and index the digital and LED records.
class ControlLayout
{
public:
    // The layout read from the embedded document, made on first use and kept until the process ends.
    static const ControlLayout& getInstance();

    // Reads the given document; whatever it holds when reading stops is the layout.
    explicit ControlLayout(const juce::String& document);

    // The first record in document order with the given id, or null.
    const ControlInfo* findAnalog(int id) const;
    const ControlInfo* findDigital(int id) const;
    const ControlInfo* findLED(int id) const;

    // Knobs and sliders first, then buttons. LEDs are never hit: a key's rectangle yields its button.
    const ControlInfo* hitTest(juce::Point<int> p) const;

    const juce::OwnedArray<ControlInfo>& getAnalogControls() const { return analog; }
    const juce::OwnedArray<ControlInfo>& getDigitalControls() const { return digital; }
    const juce::OwnedArray<ControlInfo>& getLEDControls() const { return leds; }

    // Appends the document's controls to the lists. Stops at the first element it cannot read and
    // returns false; the controls read before it stay.
    bool parse(const juce::String& text);

    // Each writes the rectangle only on success; false for a null element or a negative coordinate.
    static bool parseImageRegion(const juce::XmlElement* element, juce::Rectangle<int>& region);
    static bool parsePosition(const juce::XmlElement* element, juce::Rectangle<int>& position);

private:
    juce::OwnedArray<ControlInfo> analog;
    juce::OwnedArray<ControlInfo> digital;
    juce::OwnedArray<ControlInfo> leds;

    JUCE_DECLARE_NON_COPYABLE(ControlLayout)
};
