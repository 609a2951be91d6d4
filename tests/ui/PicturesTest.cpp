// Pins the embedded pictures' sizes and formats, the highlight's seamless fit and the about picture's rows.
#include "VexloResources.h"
#include "support/JucePrinters.h"
#include "support/Pixels.h"
#include "ui/ControlLayout.h"
#include "ui/Palette.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace
{
juce::Image load(const char* data, int size)
{
    return juce::ImageCache::getFromMemory(data, size);
}

// Whether a pixel moved towards the palette's green: the highlight recolours grey scales and white
// key faces, and either way green gains on red and on blue, even where a part's edge only partly
// covers the pixel.
bool turnedGreener(juce::Colour before, juce::Colour after)
{
    const auto greenOverRed = [](juce::Colour c) { return (int) c.getGreen() - (int) c.getRed(); };
    const auto greenOverBlue = [](juce::Colour c) { return (int) c.getGreen() - (int) c.getBlue(); };
    return greenOverRed(after) > greenOverRed(before) && greenOverBlue(after) > greenOverBlue(before);
}

// The rows of the picture that hold anything but its light grey background.
std::vector<int> inkedRows(const juce::Image& image)
{
    std::vector<int> rows;

    for (int y = 0; y < image.getHeight(); ++y)
        if (Pixels::count(image, {0, y, image.getWidth(), 1},
                          [](auto c) { return c != Palette::lightGrey; }) > 0)
            rows.push_back(y);

    return rows;
}

int countColour(const juce::Image& image, juce::Rectangle<int> area, juce::Colour colour)
{
    return Pixels::count(image, area, [colour](auto c) { return c == colour; });
}
} // namespace

TEST(PicturesTest, SizesAndFormats)
{
    const auto panel = load(Resources::panel_png, Resources::panel_pngSize);
    const auto highlighted = load(Resources::panel_highlighted_png, Resources::panel_highlighted_pngSize);
    const auto about = load(Resources::about_png, Resources::about_pngSize);
    const auto ports = load(Resources::ports_png, Resources::ports_pngSize);

    for (const auto* picture : {&panel, &highlighted})
    {
        EXPECT_EQ(picture->getBounds(), juce::Rectangle<int>(0, 0, 1100, 438));
        EXPECT_TRUE(picture->hasAlphaChannel());
        // Rounded corners let the window's background show.
        EXPECT_EQ(picture->getPixelAt(0, 0).getAlpha(), 0);
        EXPECT_EQ(picture->getPixelAt(550, 395), Palette::lightGrey);
    }

    EXPECT_EQ(about.getBounds(), juce::Rectangle<int>(0, 0, 319, 395));
    EXPECT_FALSE(about.hasAlphaChannel());
    EXPECT_EQ(ports.getBounds(), juce::Rectangle<int>(0, 0, 331, 238));

    for (const auto* picture : {&about, &ports})
    {
        EXPECT_EQ(picture->getPixelAt(0, 0), Palette::lightGrey);
        EXPECT_EQ(picture->getPixelAt(picture->getWidth() - 1, picture->getHeight() - 1), Palette::lightGrey);
    }
}

TEST(PicturesTest, HighlightStaysInsideEveryControlSoACopiedRectangleHasNoSeam)
{
    const auto panel = load(Resources::panel_png, Resources::panel_pngSize);
    const auto highlighted = load(Resources::panel_highlighted_png, Resources::panel_highlighted_pngSize);
    const juce::Image::BitmapData resting(panel, juce::Image::BitmapData::readOnly);
    const juce::Image::BitmapData lit(highlighted, juce::Image::BitmapData::readOnly);
    const auto& layout = ControlLayout::getInstance();

    for (const auto* list :
         {&layout.getAnalogControls(), &layout.getDigitalControls(), &layout.getLEDControls()})
        for (const auto* control : *list)
        {
            SCOPED_TRACE(control->getName());
            const auto region = control->getImageRegion();
            int differing = 0;
            int wrong = 0;

            // Inside, the pictures differ only where the highlight turns a grey part green.
            for (int y = region.getY(); y < region.getBottom(); ++y)
                for (int x = region.getX(); x < region.getRight(); ++x)
                {
                    const auto before = resting.getPixelColour(x, y);
                    const auto after = lit.getPixelColour(x, y);

                    if (before != after)
                    {
                        ++differing;
                        wrong += turnedGreener(before, after) ? 0 : 1;
                    }
                }

            EXPECT_GT(differing, 40);
            EXPECT_EQ(wrong, 0);

            // Just outside, they are equal: no highlighted part is cut by the rectangle's edge.
            const auto ring = region.expanded(1);
            int seam = 0;

            for (int y = ring.getY(); y < ring.getBottom(); ++y)
                for (int x = ring.getX(); x < ring.getRight(); ++x)
                    if (!region.contains(x, y))
                        seam += resting.getPixelColour(x, y) != lit.getPixelColour(x, y) ? 1 : 0;

            EXPECT_EQ(seam, 0);
        }
}

TEST(PicturesTest, AboutPictureKeepsItsRowsAndLeavesTheMiddleBandEmpty)
{
    const auto about = load(Resources::about_png, Resources::about_pngSize);
    const auto rows = inkedRows(about);
    const auto inked = [&rows](int y) { return std::find(rows.begin(), rows.end(), y) != rows.end(); };

    // Logo, title and notice each fill their band from its first row to its last; nothing lies
    // outside them, so rows 167 to 354 are free for the version and identity lines.
    const std::pair<int, int> bands[] = {{49, 129}, {146, 166}, {355, 380}};

    for (const auto& [first, last] : bands)
    {
        EXPECT_TRUE(inked(first)) << first;
        EXPECT_TRUE(inked(last)) << last;
    }

    for (const int y : rows)
        EXPECT_TRUE(std::any_of(std::begin(bands), std::end(bands),
                                [y](const auto& band) { return band.first <= y && y <= band.second; }))
            << "ink in row " << y;

    EXPECT_GT(countColour(about, {0, 49, 319, 81}, Palette::pink), 2000);
    EXPECT_GT(countColour(about, {0, 146, 319, 21}, Palette::black), 300);
    EXPECT_GT(countColour(about, {0, 355, 319, 26}, Palette::black), 100);
}

TEST(PicturesTest, PortsPictureShowsAPinkEmblemAboveItsRequest)
{
    const auto ports = load(Resources::ports_png, Resources::ports_pngSize);
    const juce::Rectangle<int> upper(0, 0, 331, 150);
    const juce::Rectangle<int> lower(0, 150, 331, 88);

    EXPECT_GT(countColour(ports, upper, Palette::pink), 2000);
    EXPECT_EQ(countColour(ports, lower, Palette::pink), 0);
    EXPECT_EQ(countColour(ports, upper, Palette::darkGrey), 0);
    EXPECT_GT(countColour(ports, lower, Palette::darkGrey), 300);
}
