// Pins the about box's size, its version and identity lines over the picture, and its close on any press.
#include "ui/AboutComponent.h"

#include "VexloResources.h"
#include "support/JucePrinters.h"
#include "support/Mouse.h"
#include "support/RepaintCounter.h"
#include "ui/Palette.h"

#include <gtest/gtest.h>

namespace
{
class RecordingListener : public AboutComponentListener
{
public:
    void aboutClosed() override { ++closed; }

    int closed = 0;
};

juce::Image render(AboutComponent& about)
{
    juce::Image image(juce::Image::RGB, about.getWidth(), about.getHeight(), true);
    juce::Graphics g(image);
    about.paintEntireComponent(g, true);
    return image;
}

// Where the painted box differs from the bare picture, and whether every difference is the text's
// grey-blue blended over the light grey.
struct Ink
{
    juce::RectangleList<int> pixels;
    bool allGreyBlue = true;
};

Ink inkOver(const juce::Image& rendered, juce::Rectangle<int> area)
{
    const auto picture = juce::ImageCache::getFromMemory(Resources::about_png, Resources::about_pngSize);
    const juce::Image::BitmapData before(picture, juce::Image::BitmapData::readOnly);
    const juce::Image::BitmapData after(rendered, juce::Image::BitmapData::readOnly);
    Ink ink;

    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
        {
            const auto c = after.getPixelColour(x, y);

            if (c != before.getPixelColour(x, y))
            {
                ink.pixels.add({x, y, 1, 1});
                ink.allGreyBlue = ink.allGreyBlue && c.getBlue() > c.getRed() && c.getBlue() > c.getGreen();
            }
        }

    return ink;
}

const juce::Rectangle<int> wholeBox(0, 0, 319, 395);
const juce::Rectangle<int> versionLine(0, 180, 319, 11);
const juce::Rectangle<int> identityLine(0, 202, 319, 11);
} // namespace

TEST(AboutComponentTest, IsSizedToItsPicture)
{
    const AboutComponent about(nullptr);
    EXPECT_EQ(about.getBounds(), wholeBox);
}

TEST(AboutComponentTest, DrawsTheVersionAndThenTheIdentityTwoLinesBelow)
{
    RecordingListener listener;
    AboutComponent about(&listener);

    // Before any device has answered only the version line shows.
    const auto versionOnly = render(about);
    const auto version = inkOver(versionOnly, wholeBox);
    EXPECT_FALSE(version.pixels.isEmpty());
    EXPECT_TRUE(version.allGreyBlue);
    EXPECT_TRUE(versionLine.contains(version.pixels.getBounds()));
    EXPECT_NEAR(version.pixels.getBounds().toFloat().getCentreX(), 159.5f, 2.0f);

    auto& repaints = RepaintCounter::attachTo(about);
    about.setDeviceIdentity("VEXLO firmware 1.4");
    EXPECT_EQ(repaints.getCount(), 0);

    const auto both = render(about);
    EXPECT_EQ(inkOver(both, versionLine).pixels.getBounds(), version.pixels.getBounds());
    const auto identity = inkOver(both, wholeBox.withTrimmedTop(versionLine.getBottom()));
    EXPECT_FALSE(identity.pixels.isEmpty());
    EXPECT_TRUE(identity.allGreyBlue);
    EXPECT_TRUE(identityLine.contains(identity.pixels.getBounds()));
    EXPECT_NEAR(identity.pixels.getBounds().toFloat().getCentreX(), 159.5f, 2.0f);

    // An emptied identity draws nothing again.
    about.setDeviceIdentity({});
    EXPECT_TRUE(inkOver(render(about), identityLine).pixels.isEmpty());
}

TEST(AboutComponentTest, AnyPressAsksToClose)
{
    RecordingListener listener;
    AboutComponent about(&listener);

    about.mouseDown(Mouse::pressAt(about, {160, 200}));
    EXPECT_EQ(listener.closed, 1);
    about.mouseDown(Mouse::pressAt(about, {0, 0}, juce::ModifierKeys::rightButtonModifier));
    about.mouseDown(Mouse::pressAt(about, {318, 394}, juce::ModifierKeys::middleButtonModifier));
    EXPECT_EQ(listener.closed, 3);

    // Without a listener a press changes nothing.
    AboutComponent alone(nullptr);
    auto& repaints = RepaintCounter::attachTo(alone);
    alone.mouseDown(Mouse::pressAt(alone, {160, 200}));
    EXPECT_EQ(repaints.getCount(), 0);
    EXPECT_EQ(listener.closed, 3);
}
