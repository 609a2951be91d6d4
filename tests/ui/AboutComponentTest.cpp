// Pins the about box's size, its version and identity lines over the picture, and its close on any press.
#include "ui/AboutComponent.h"

#include "support/JucePrinters.h"
#include "support/Mouse.h"
#include "support/Pixels.h"
#include "support/RepaintCounter.h"
#include "support/ScopedCustomLookAndFeel.h"
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

// The picture leaves these rows plain light grey, so whatever else shows there was drawn by the box.
const juce::Rectangle<int> band(0, 167, 319, 188);
const juce::Rectangle<int> versionLine(0, 180, 319, 11);
const juce::Rectangle<int> identityLine(0, 202, 319, 11);

// Beyond the rounding of blending, which turns the faintest text edges plain grey.
bool isDrawn(juce::Colour c)
{
    return !Pixels::near(c, Palette::lightGrey);
}

// Grey-blue blended over light grey loses red fastest and blue slowest.
bool isGreyBlueText(juce::Colour c)
{
    return c.getBlue() > c.getRed() && c.getBlue() >= c.getGreen();
}
} // namespace

TEST(AboutComponentTest, DrawsTheVersionAndThenTheIdentityTwoLinesBelow)
{
    ScopedCustomLookAndFeel lookAndFeel;
    AboutComponent about(nullptr);
    EXPECT_EQ(about.getBounds(), juce::Rectangle<int>(0, 0, 319, 395));

    // Before any device has answered only the version line shows.
    const auto versionOnly = Pixels::snapshot(about);
    const auto version = Pixels::bounds(versionOnly, band, isDrawn);
    EXPECT_FALSE(version.isEmpty());
    EXPECT_TRUE(versionLine.contains(version));
    EXPECT_NEAR(version.toFloat().getCentreX(), 159.5f, 2.0f);
    EXPECT_EQ(Pixels::count(versionOnly, band, [](auto c) { return isDrawn(c) && !isGreyBlueText(c); }), 0);

    auto& repaints = RepaintCounter::attachTo(about);
    about.setDeviceIdentity("VEXLO firmware 1.4");
    EXPECT_EQ(repaints.getCount(), 0);

    const auto both = Pixels::snapshot(about);
    EXPECT_EQ(Pixels::bounds(both, versionLine, isDrawn), version);
    const auto identity =
        Pixels::bounds(both, band.withTrimmedTop(versionLine.getBottom() - band.getY()), isDrawn);
    EXPECT_FALSE(identity.isEmpty());
    EXPECT_TRUE(identityLine.contains(identity));
    EXPECT_NEAR(identity.toFloat().getCentreX(), 159.5f, 2.0f);
    EXPECT_EQ(Pixels::count(both, band, [](auto c) { return isDrawn(c) && !isGreyBlueText(c); }), 0);

    about.setDeviceIdentity({});
    EXPECT_TRUE(Pixels::bounds(Pixels::snapshot(about), identityLine, isDrawn).isEmpty());
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
}
