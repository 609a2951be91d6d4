#pragma once

#include "model/ModelAnalog.h"
#include "model/ModelDigital.h"
#include "model/ModelLED.h"

#include <juce_core/juce_core.h>

#include <array>

class ModelOwner;

// The configuration of the whole device: one record per control, addressed by 0-based index. The
// records live as long as the model and never move, so the pointers handed out stay valid.
class Model
{
public:
    static constexpr int numAnalogs = 35;
    static constexpr int numDigitals = 24;
    static constexpr int numLEDs = 24;

    // The owner, which may be none, is told of every change to any record.
    explicit Model(ModelOwner* owner);

    ModelOwner* getOwner() const noexcept { return owner; }
    // Null for none: the records then tell only their listeners.
    void setOwner(ModelOwner* newOwner) noexcept { owner = newOwner; }

    // The index must lie within 0..34 (analog) or 0..23 (button, LED); it is not checked.
    ModelAnalog* getAnalog(int index) noexcept { return &analogs[(size_t) index]; }
    ModelDigital* getDigital(int index) noexcept { return &digitals[(size_t) index]; }
    ModelLED* getLED(int index) noexcept { return &leds[(size_t) index]; }

    // The lowest index whose channel, mode and number match (and, for buttons, whose on value equals
    // the value); -1 when none does.
    int findAnalog(int channel, int mode, int number) const;
    int findDigital(int channel, int mode, int number, int value) const;

    // The whole configuration as the text of an XML document.
    juce::String createXml() const;

    // Fills every record from a document's text, notifying nobody. All or nothing: when the text is
    // refused or any record fails its checks, the model is left exactly as it was.
    bool loadFromFile(const juce::String& text);

private:
    bool readDocument(const juce::String& text);
    bool readRecords(const juce::XmlElement& root);
    void copyValuesFrom(const Model& other);

    ModelOwner* owner;
    std::array<ModelAnalog, numAnalogs> analogs;
    std::array<ModelDigital, numDigitals> digitals;
    std::array<ModelLED, numLEDs> leds;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(Model)
};
