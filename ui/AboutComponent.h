#pragma once

#include "ui/AboutComponentListener.h"

#include <juce_gui_basics/juce_gui_basics.h>

// The about box: the about picture with the program's version and the connected device's identity
// centred over its empty middle band. Any press on it asks the listener to close it.
class AboutComponent : public juce::Component
{
public:
    // Sizes itself to the picture. The listener is not owned and may be null.
    explicit AboutComponent(AboutComponentListener* listener);
    ~AboutComponent() override = default;

    // Shown from the next paint on; the caller sets it just before showing the box, so nothing is
    // repainted here.
    void setDeviceIdentity(const juce::String& text);

    void mouseDown(const juce::MouseEvent& event) override;
    void paint(juce::Graphics& g) override;

private:
    AboutComponentListener* listener;
    juce::Image aboutPicture;
    juce::String deviceIdentity;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(AboutComponent)
};
