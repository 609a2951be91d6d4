#pragma once

#include "ui/ControlInfo.h"
#include "ui/EditorListener.h"

#include <juce_gui_basics/juce_gui_basics.h>

// The picture of the device's panel. A press on a knob, slider or button selects it and tells the
// listener; the selected control is copied from the highlighted picture, every knob and slider gets
// a marker, and a status caption can be faded in over a strip near the bottom. Its owner sizes it to
// the picture, so component and picture coordinates coincide.
class EditorComponent : public juce::Component
{
public:
    // The listener is not owned and may be null.
    explicit EditorComponent(EditorListener* listener);
    ~EditorComponent() override = default;

    int getPanelWidth() const;
    int getPanelHeight() const;

    // Ignored for an id the layout lacks.
    void selectAnalog(int id);

    // Null until the first selection.
    const ControlInfo* getSelectedControl() const { return selected; }

    // An empty text hides the caption; the opacity applies to the strip and its text alike.
    void setCaption(const juce::String& text, float opacity);

    void mouseDown(const juce::MouseEvent& event) override;
    void paint(juce::Graphics& g) override;

private:
    // The markers stand for controls, not values: the view always passes 0 for knobs and 0.5 for
    // sliders.
    static void drawKnob(juce::Graphics& g, int centreX, int centreY, bool isSelected, float value);
    static void drawSlider(juce::Graphics& g, juce::Rectangle<int> travel, bool isSelected, float value);

    EditorListener* listener;
    juce::Image panelPicture;
    juce::Image highlightedPicture;
    const ControlInfo* selected = nullptr;
    juce::String caption;
    float captionOpacity = 0.0f;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(EditorComponent)
};
