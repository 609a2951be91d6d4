#pragma once

#include <juce_graphics/juce_graphics.h>

// One control of the device's panel as the layout document describes it: its id within its list,
// its kind, its display name, the rectangle it covers in the panel picture and, for knobs and
// sliders, the geometry of the marker that the panel view draws over it.
class ControlInfo
{
public:
    static constexpr int knob = 0;
    static constexpr int slider = 1;
    static constexpr int button = 2;
    static constexpr int led = 3;

    // Buttons and LEDs have no marker: their position is all zeros.
    ControlInfo(int id, int next, int type, const juce::String& name, juce::Rectangle<int> imageRegion);

    // A knob's position is its marker's centre (width and height 0); a slider's is its travel, of
    // width 0 when vertical and of height 0 when horizontal.
    ControlInfo(int id, int next, int type, const juce::String& name, juce::Rectangle<int> imageRegion,
                juce::Rectangle<int> position);

    int getId() const { return id; }
    int getNext() const { return next; }
    int getType() const { return type; }
    juce::String getName() const { return name; }
    juce::Rectangle<int> getImageRegion() const { return imageRegion; }
    juce::Rectangle<int> getPosition() const { return position; }

    // Half-open: the right and bottom edges belong to the neighbour, so adjacent regions never
    // both claim a pixel.
    bool contains(juce::Point<int> p) const;

private:
    int id;
    int next;
    int type;
    juce::String name;
    juce::Rectangle<int> imageRegion;
    juce::Rectangle<int> position;
};
