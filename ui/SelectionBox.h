#pragma once

#include "ui/SelectionListener.h"

#include <juce_gui_basics/juce_gui_basics.h>

// A one-line selector for a short list of texts: shows one item centred in a white cell, steps to
// the next one on a click of the primary button, Space, Right or Down and to the previous one on Left
// or Up (wrapping round), and reports every change and every Return to its listener. Framed in green
// while focused.
class SelectionBox : public juce::Component
{
public:
    SelectionBox();

    // Appends an item and returns its index; the first item becomes the selection without a report.
    int addItem(const juce::String& text);

    // The item at the index, or an empty string when there is none.
    juce::String getItem(int index) const;

    int getSelectedIndex() const noexcept { return selectedIndex; }

    // Shows the item with this index, which must exist; reports it when it differs from the current one.
    void setSelectedIndex(int index);

    void setListener(SelectionListener* newListener) noexcept { listener = newListener; }

    void mouseDown(const juce::MouseEvent& event) override;
    void paint(juce::Graphics& g) override;
    bool keyPressed(const juce::KeyPress& key) override;
    void focusGained(FocusChangeType cause) override;
    void focusLost(FocusChangeType cause) override;

private:
    void stepForward();
    void stepBack();

    juce::StringArray items;
    int selectedIndex = -1;
    bool focused = false;
    SelectionListener* listener = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(SelectionBox)
};
