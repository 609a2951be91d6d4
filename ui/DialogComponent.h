#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Shows one component, optionally below a picture, in a framed light box centred on a translucent
// light-grey veil that covers the whole area and keeps clicks and keys from what lies beneath: while
// it is shown, in front of any other dialog of its parent, the keyboard focus goes to its first
// control and stays inside it, or nowhere when it has none, and Tab cycles within it. The owner sets
// the bounds and shows or hides it; the content is not owned.
class DialogComponent : public juce::Component, private juce::FocusChangeListener
{
public:
    explicit DialogComponent(juce::Component* content);
    DialogComponent(const juce::Image& image, juce::Component* content);
    ~DialogComponent() override;

    void paint(juce::Graphics& g) override;
    void resized() override;
    void visibilityChanged() override;
    void parentHierarchyChanged() override;

    // The shown dialog in front of the component or of one of its parents, or null: nothing it covers
    // may take the keyboard focus.
    static DialogComponent* findCovering(const juce::Component& component);

    // Takes the keyboard focus from the window and from whatever lies beneath, unless another dialog
    // covers this one, the focus is in another window or the window is not active.
    void holdFocus();

private:
    void globalFocusChanged(juce::Component* focused) override;
    // The dialog in front among its parent's shown dialogs takes the keyboard focus.
    void holdFocusInFrontDialog();
    // The picture's height with the gap below it, or 0 without a picture.
    int pictureHeight() const;

    juce::Image image;
    juce::Component* content;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(DialogComponent)
};
