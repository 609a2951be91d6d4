#include "support/Pixels.h"

#include <cstdlib>

namespace Pixels
{
juce::Image snapshot(juce::Component& component)
{
    return component.createComponentSnapshot(component.getLocalBounds(), true, 1.0f);
}

juce::Image draw(int width, int height, const std::function<void(juce::Graphics&)>& drawing)
{
    juce::Image image(juce::Image::ARGB, width, height, true);
    juce::Graphics g(image);
    drawing(g);
    return image;
}

juce::Colour at(const juce::Image& image, int x, int y)
{
    return image.getPixelAt(x, y);
}

int count(const juce::Image& image, juce::Rectangle<int> area, const std::function<bool(juce::Colour)>& test)
{
    int matching = 0;
    const auto clipped = area.getIntersection(image.getBounds());
    for (int y = clipped.getY(); y < clipped.getBottom(); ++y)
        for (int x = clipped.getX(); x < clipped.getRight(); ++x)
            if (test(image.getPixelAt(x, y)))
                ++matching;
    return matching;
}

juce::Rectangle<int> bounds(const juce::Image& image, juce::Rectangle<int> area,
                            const std::function<bool(juce::Colour)>& test)
{
    juce::Rectangle<int> result;
    const auto clipped = area.getIntersection(image.getBounds());
    for (int y = clipped.getY(); y < clipped.getBottom(); ++y)
    {
        for (int x = clipped.getX(); x < clipped.getRight(); ++x)
        {
            if (!test(image.getPixelAt(x, y)))
                continue;
            const juce::Rectangle<int> pixel(x, y, 1, 1);
            result = result.isEmpty() ? pixel : result.getUnion(pixel);
        }
    }
    return result;
}

juce::Rectangle<int> bounds(const juce::Image& image, const std::function<bool(juce::Colour)>& test)
{
    return bounds(image, image.getBounds(), test);
}

bool same(const juce::Image& a, const juce::Image& b)
{
    if (a.getBounds() != b.getBounds())
        return false;
    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            if (a.getPixelAt(x, y) != b.getPixelAt(x, y))
                return false;
    return true;
}

bool isInk(juce::Colour colour)
{
    return colour.getAlpha() > 128 && colour.getBrightness() < 0.5f;
}

bool isBlack(juce::Colour colour)
{
    constexpr int darkest = 30;
    return colour.getAlpha() > 128 && colour.getRed() < darkest && colour.getGreen() < darkest &&
           colour.getBlue() < darkest;
}

bool near(juce::Colour a, juce::Colour b)
{
    constexpr int tolerance = 2;
    return std::abs(a.getRed() - b.getRed()) <= tolerance &&
           std::abs(a.getGreen() - b.getGreen()) <= tolerance &&
           std::abs(a.getBlue() - b.getBlue()) <= tolerance &&
           std::abs(a.getAlpha() - b.getAlpha()) <= tolerance;
}
} // namespace Pixels
