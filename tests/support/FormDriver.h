#pragma once

#include "support/HeadlessWindow.h"

#include <juce_gui_basics/juce_gui_basics.h>

// Drives a form as a user would, without a display: the form sits at the top left of a stand-in
// window, keys go to the focused component through the window, and after each event the callbacks
// that the toolkit posts (a text field's change, Return and focus-lost callbacks) are run.
class FormDriver
{
public:
    explicit FormDriver(juce::Component& form, int width = 400, int height = 200);

    // One key per character, each followed by the callbacks it posted.
    void type(const juce::String& text);
    void press(int keyCode);
    // Not for text fields: the text cursor they ask for would be set on the stand-in window, which
    // has no native window to take it.
    void click(juce::Component& target);

    // Runs what is already posted, and what that posts in turn, a few generations deep.
    static void settle();

    static juce::Component* focused() { return juce::Component::getCurrentlyFocusedComponent(); }

    // The first descendant of the given type and component name, depth first; null when none.
    template <typename Widget> static Widget* find(juce::Component& parent, const juce::String& name = {})
    {
        for (auto* child : parent.getChildren())
        {
            if (auto* widget = dynamic_cast<Widget*>(child); widget != nullptr && child->getName() == name)
                return widget;
            if (auto* nested = find<Widget>(*child, name))
                return nested;
        }
        return nullptr;
    }

    HeadlessWindow window;
};
