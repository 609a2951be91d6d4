#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// Reading what components and look-and-feel calls draw: everything is painted into a transparent
// ARGB image and inspected pixel by pixel.
namespace Pixels
{
// The component and its children as they are drawn, at its own size.
juce::Image snapshot(juce::Component& component);

// A transparent image of the given size with whatever the function draws into it.
juce::Image draw(int width, int height, const std::function<void(juce::Graphics&)>& drawing);

// The colour at a pixel, with the alpha it was drawn with.
juce::Colour at(const juce::Image& image, int x, int y);

// The number of pixels in the area whose colour passes the test.
int count(const juce::Image& image, juce::Rectangle<int> area, const std::function<bool(juce::Colour)>& test);

// The smallest rectangle holding every pixel of the area that passes the test; empty when none does.
juce::Rectangle<int> bounds(const juce::Image& image, juce::Rectangle<int> area,
                            const std::function<bool(juce::Colour)>& test);
juce::Rectangle<int> bounds(const juce::Image& image, const std::function<bool(juce::Colour)>& test);

// True when both images have the same size and the same colour at every pixel.
bool same(const juce::Image& a, const juce::Image& b);

// Dark enough to be text drawn in black, anti-aliased edges included.
bool isInk(juce::Colour colour);

// Black or nearly: the core of text drawn in black, without the palette's dark grey.
bool isBlack(juce::Colour colour);

// Equal to within the rounding of blending: each channel, alpha included, differs by 2 at most.
bool near(juce::Colour a, juce::Colour b);
} // namespace Pixels
