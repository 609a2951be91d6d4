// Pins the embedded panel map control by control, the hit test's edges and order, and the parse rules.
#include "ui/ControlLayout.h"

#include "VexloResources.h"
#include "support/JucePrinters.h"

#include <gtest/gtest.h>

namespace
{
struct Bounds
{
    int xmin, ymin, xmax, ymax;
};

struct ExpectedAnalog
{
    int type;
    int id;
    int next;
    const char* name;
    Bounds region;
    juce::Rectangle<int> position;
};

struct ExpectedKey
{
    int id;
    int next;
    const char* button;
    const char* led;
    Bounds region;
};

// In document order: the six columns of slider and three knobs, the two columns of five knobs, then
// the cross fader.
const ExpectedAnalog analogTable[] = {
    {ControlInfo::slider, 0, 7, "Slider 1", {26, 248, 85, 383}, {78, 253, 0, 124}},
    {ControlInfo::knob, 1, 0, "Knob 3", {48, 163, 113, 229}, {78, 195, 0, 0}},
    {ControlInfo::knob, 2, 1, "Knob 2", {48, 95, 113, 161}, {78, 127, 0, 0}},
    {ControlInfo::knob, 3, 2, "Knob 1", {48, 27, 113, 92}, {78, 59, 0, 0}},
    {ControlInfo::slider, 4, 11, "Slider 2", {100, 248, 153, 383}, {150, 253, 0, 124}},
    {ControlInfo::knob, 5, 4, "Knob 6", {120, 163, 186, 229}, {150, 195, 0, 0}},
    {ControlInfo::knob, 6, 5, "Knob 5", {120, 95, 186, 161}, {150, 127, 0, 0}},
    {ControlInfo::knob, 7, 6, "Knob 4", {120, 27, 186, 92}, {150, 59, 0, 0}},
    {ControlInfo::slider, 8, 15, "Slider 3", {172, 248, 227, 383}, {223, 253, 0, 124}},
    {ControlInfo::knob, 9, 8, "Knob 9", {193, 163, 258, 229}, {223, 195, 0, 0}},
    {ControlInfo::knob, 10, 9, "Knob 8", {193, 95, 258, 161}, {223, 127, 0, 0}},
    {ControlInfo::knob, 11, 10, "Knob 7", {193, 27, 258, 92}, {223, 59, 0, 0}},
    {ControlInfo::slider, 12, 19, "Slider 4", {245, 248, 301, 383}, {296, 253, 0, 124}},
    {ControlInfo::knob, 13, 12, "Knob 12", {265, 163, 331, 229}, {296, 195, 0, 0}},
    {ControlInfo::knob, 14, 13, "Knob 11", {265, 95, 331, 161}, {296, 127, 0, 0}},
    {ControlInfo::knob, 15, 14, "Knob 10", {265, 27, 331, 92}, {296, 59, 0, 0}},
    {ControlInfo::slider, 16, 23, "Slider 5", {318, 248, 372, 383}, {368, 253, 0, 124}},
    {ControlInfo::knob, 17, 16, "Knob 15", {338, 163, 404, 229}, {368, 195, 0, 0}},
    {ControlInfo::knob, 18, 17, "Knob 14", {338, 95, 404, 161}, {368, 127, 0, 0}},
    {ControlInfo::knob, 19, 18, "Knob 13", {338, 27, 404, 92}, {368, 59, 0, 0}},
    {ControlInfo::slider, 20, 28, "Slider 6", {390, 248, 446, 383}, {440, 253, 0, 124}},
    {ControlInfo::knob, 21, 20, "Knob 18", {410, 163, 476, 229}, {440, 195, 0, 0}},
    {ControlInfo::knob, 22, 21, "Knob 17", {410, 95, 476, 161}, {440, 127, 0, 0}},
    {ControlInfo::knob, 23, 22, "Knob 16", {410, 27, 476, 92}, {440, 59, 0, 0}},
    {ControlInfo::knob, 24, 33, "Knob 23", {505, 299, 570, 364}, {535, 331, 0, 0}},
    {ControlInfo::knob, 25, 24, "Knob 22", {505, 232, 570, 296}, {535, 264, 0, 0}},
    {ControlInfo::knob, 26, 25, "Knob 21", {505, 164, 570, 229}, {535, 196, 0, 0}},
    {ControlInfo::knob, 27, 26, "Knob 20", {505, 96, 570, 161}, {535, 128, 0, 0}},
    {ControlInfo::knob, 28, 27, "Knob 19", {505, 28, 570, 94}, {535, 60, 0, 0}},
    {ControlInfo::knob, 29, 34, "Knob 28", {578, 299, 643, 364}, {608, 331, 0, 0}},
    {ControlInfo::knob, 30, 29, "Knob 27", {578, 232, 643, 296}, {608, 264, 0, 0}},
    {ControlInfo::knob, 31, 30, "Knob 26", {578, 164, 643, 229}, {608, 196, 0, 0}},
    {ControlInfo::knob, 32, 31, "Knob 25", {578, 96, 643, 161}, {608, 128, 0, 0}},
    {ControlInfo::knob, 33, 32, "Knob 24", {578, 28, 643, 94}, {608, 60, 0, 0}},
    {ControlInfo::slider, 34, 3, "Cross Fader", {796, 299, 925, 360}, {798, 330, 126, 0}},
};

const ExpectedKey keyTable[] = {
    {0, 1, "Button 1", "LED 1", {677, 37, 722, 83}},
    {1, 2, "Button 2", "LED 2", {740, 37, 785, 83}},
    {2, 3, "Button 3", "LED 3", {803, 37, 849, 83}},
    {3, 4, "Button 4", "LED 4", {866, 37, 912, 83}},
    {4, 5, "Button 5", "LED 5", {929, 37, 974, 83}},
    {5, 6, "Button 6", "LED 6", {991, 37, 1037, 83}},
    {6, 7, "Button 7", "LED 7", {677, 100, 722, 147}},
    {7, 8, "Button 8", "LED 8", {740, 100, 785, 147}},
    {8, 9, "Button 9", "LED 9", {803, 100, 849, 147}},
    {9, 10, "Button 10", "LED 10", {866, 100, 912, 147}},
    {10, 11, "Button 11", "LED 11", {929, 100, 974, 147}},
    {11, 12, "Button 12", "LED 12", {991, 100, 1037, 147}},
    {12, 13, "Button 13", "LED 13", {677, 163, 722, 209}},
    {13, 14, "Button 14", "LED 14", {740, 163, 785, 209}},
    {14, 15, "Button 15", "LED 15", {803, 163, 849, 209}},
    {15, 16, "Button 16", "LED 16", {866, 163, 912, 209}},
    {16, 17, "Button 17", "LED 17", {929, 163, 974, 209}},
    {17, 18, "Button 18", "LED 18", {991, 163, 1037, 209}},
    {18, 19, "Button 19", "LED 19", {677, 226, 722, 271}},
    {19, 20, "Button 20", "LED 20", {740, 226, 785, 271}},
    {20, 21, "Button 21", "LED 21", {803, 226, 849, 271}},
    {21, 22, "Button 22", "LED 22", {866, 226, 912, 271}},
    {22, 23, "Button 23", "LED 23", {929, 226, 975, 271}},
    {23, 0, "Button 24", "LED 24", {991, 226, 1037, 271}},
};

juce::Rectangle<int> toRectangle(Bounds b)
{
    return {b.xmin, b.ymin, b.xmax - b.xmin, b.ymax - b.ymin};
}

// A layout that starts empty, so a test sees exactly what one parse call appends.
struct EmptyLayout : ControlLayout
{
    EmptyLayout() : ControlLayout(juce::String()) {}
};

const char* const knobA =
    R"(<Knob id="0" next="1" name="A"><ImageRegion xmin="0" ymin="0" xmax="10" ymax="10"/>)"
    R"(<Position x="5" y="5"/></Knob>)";
} // namespace

TEST(ControlLayoutTest, EmbeddedDocumentHoldsEveryControlOfThePanel)
{
    ASSERT_GT(Resources::layout_xmlSize, 0);
    EXPECT_EQ(Resources::layout_xml[Resources::layout_xmlSize], '\0');
    EXPECT_TRUE(juce::String(Resources::layout_xml).startsWith("<Controls>"));

    const auto& layout = ControlLayout::getInstance();
    EXPECT_EQ(&layout, &ControlLayout::getInstance());

    const auto& analog = layout.getAnalogControls();
    ASSERT_EQ(analog.size(), (int) std::size(analogTable));
    int knobs = 0;

    for (int i = 0; i < analog.size(); ++i)
    {
        const auto& expected = analogTable[i];
        const auto* info = analog[i];
        SCOPED_TRACE(expected.name);
        EXPECT_EQ(info->getType(), expected.type);
        EXPECT_EQ(info->getId(), expected.id);
        EXPECT_EQ(info->getNext(), expected.next);
        EXPECT_EQ(info->getName(), expected.name);
        EXPECT_EQ(info->getImageRegion(), toRectangle(expected.region));
        EXPECT_EQ(info->getPosition(), expected.position);
        EXPECT_EQ(layout.findAnalog(expected.id), info);
        knobs += info->getType() == ControlInfo::knob ? 1 : 0;
    }

    EXPECT_EQ(knobs, 28);

    const auto& buttons = layout.getDigitalControls();
    const auto& leds = layout.getLEDControls();
    ASSERT_EQ(buttons.size(), (int) std::size(keyTable));
    ASSERT_EQ(leds.size(), (int) std::size(keyTable));

    for (int i = 0; i < buttons.size(); ++i)
    {
        const auto& expected = keyTable[i];
        SCOPED_TRACE(expected.button);

        for (const auto* info : {buttons[i], leds[i]})
        {
            EXPECT_EQ(info->getId(), expected.id);
            EXPECT_EQ(info->getNext(), expected.next);
            EXPECT_EQ(info->getImageRegion(), toRectangle(expected.region));
            EXPECT_EQ(info->getPosition(), juce::Rectangle<int>());
        }

        EXPECT_EQ(buttons[i]->getType(), ControlInfo::button);
        EXPECT_EQ(buttons[i]->getName(), expected.button);
        EXPECT_EQ(layout.findDigital(expected.id), buttons[i]);
        EXPECT_EQ(leds[i]->getType(), ControlInfo::led);
        EXPECT_EQ(leds[i]->getName(), expected.led);
        EXPECT_EQ(layout.findLED(expected.id), leds[i]);
    }

    EXPECT_EQ(layout.findAnalog(35), nullptr);
    EXPECT_EQ(layout.findAnalog(-1), nullptr);
    EXPECT_EQ(layout.findDigital(24), nullptr);
    EXPECT_EQ(layout.findLED(-1), nullptr);
    EXPECT_EQ(layout.findLED(24), nullptr);
}

TEST(ControlLayoutTest, HitTestEdgesAndOrder)
{
    const auto& layout = ControlLayout::getInstance();

    const auto* hit = layout.hitTest({677, 37});
    ASSERT_NE(hit, nullptr);
    EXPECT_EQ(hit->getName(), "Button 1");
    EXPECT_EQ(hit->getType(), ControlInfo::button);
    EXPECT_EQ(layout.hitTest({722, 37}), nullptr);
    EXPECT_EQ(layout.hitTest({677, 83}), nullptr);
    EXPECT_EQ(layout.hitTest({0, 0}), nullptr);
    ASSERT_NE(layout.hitTest({48, 27}), nullptr);
    EXPECT_EQ(layout.hitTest({48, 27})->getName(), "Knob 1");
    EXPECT_EQ(layout.hitTest({47, 27}), nullptr);
    EXPECT_EQ(layout.hitTest({48, 26}), nullptr);

    // Every control is hit at its first and last pixel; a key always yields its button.
    for (const auto& list : {&layout.getAnalogControls(), &layout.getDigitalControls()})
        for (const auto* info : *list)
        {
            SCOPED_TRACE(info->getName());
            const auto r = info->getImageRegion();
            EXPECT_EQ(layout.hitTest(r.getTopLeft()), info);
            EXPECT_EQ(layout.hitTest(r.getBottomRight() - juce::Point<int>(1, 1)), info);
        }

    // Knobs and sliders are searched before buttons, in document order.
    EmptyLayout overlapping;
    ASSERT_TRUE(overlapping.parse(
        R"(<Controls><Button id="7"><ImageRegion xmin="0" ymin="0" xmax="20" ymax="20"/></Button>)"
        R"(<LED id="7"><ImageRegion xmin="0" ymin="0" xmax="20" ymax="20"/></LED>)"
        R"(<Knob id="1"><ImageRegion xmin="5" ymin="5" xmax="30" ymax="30"/><Position x="9" y="9"/></Knob>)"
        R"(<Slider id="2"><ImageRegion xmin="0" ymin="0" xmax="30" ymax="30"/>)"
        R"(<Position x="9" y="9"/></Slider>)"
        R"(</Controls>)"));
    EXPECT_EQ(overlapping.hitTest({6, 6})->getId(), 1);
    EXPECT_EQ(overlapping.hitTest({2, 2})->getId(), 2);
    EXPECT_EQ(overlapping.hitTest({25, 2})->getId(), 2);
    EXPECT_EQ(overlapping.hitTest({30, 30}), nullptr);
}

TEST(ControlLayoutTest, ParseReadsPositionDefaultsAndOptionalAttributes)
{
    EmptyLayout layout;
    ASSERT_TRUE(layout.parse(
        R"(<Anything><Knob id="4"><ImageRegion xmin="1" ymin="2" xmax="11" ymax="22"/>)"
        R"(<Position x="6" y="7"/></Knob>)"
        R"(<!-- a comment --><Slider id="5" next="9" name="S">)"
        R"(<ImageRegion xmin="0" ymin="0" xmax="0" ymax="0"/><Position x="50" xmin="10" y="3"/></Slider>)"
        R"(<Slider id="6"><ImageRegion xmin="20" ymin="30" xmax="10" ymax="5"/>)"
        R"(<Position x="8" ymin="3" ymax="40"/></Slider>)"
        R"(<Button id="2" next="3" name="B"><ImageRegion xmin="1" ymin="1" xmax="5" ymax="5"/>)"
        R"(<Position x="-1" y="-1"/></Button></Anything>)"));

    ASSERT_EQ(layout.getAnalogControls().size(), 3);
    const auto* knob = layout.findAnalog(4);
    EXPECT_EQ(knob->getNext(), -1);
    EXPECT_EQ(knob->getName(), juce::String());
    EXPECT_EQ(knob->getImageRegion(), juce::Rectangle<int>(1, 2, 10, 20));
    EXPECT_EQ(knob->getPosition(), juce::Rectangle<int>(6, 7, 0, 0));

    // xmin given without xmax: the left edge is xmin, the right edge falls back to x.
    const auto* slider = layout.findAnalog(5);
    EXPECT_EQ(slider->getNext(), 9);
    EXPECT_EQ(slider->getName(), "S");
    EXPECT_EQ(slider->getPosition(), juce::Rectangle<int>(10, 3, 40, 0));

    // Maxima before minima are taken as they are.
    EXPECT_EQ(layout.findAnalog(6)->getImageRegion(), juce::Rectangle<int>(20, 30, -10, -25));
    EXPECT_EQ(layout.findAnalog(6)->getPosition(), juce::Rectangle<int>(8, 3, 0, 37));

    // A button's Position is ignored, negative or not.
    ASSERT_EQ(layout.getDigitalControls().size(), 1);
    EXPECT_EQ(layout.findDigital(2)->getPosition(), juce::Rectangle<int>());
    EXPECT_TRUE(layout.getLEDControls().isEmpty());

    // Names of elements and attributes are matched without regard to case.
    EmptyLayout mixedCase;
    ASSERT_TRUE(mixedCase.parse(
        R"(<c><led ID="3" Name="L"><imageregion XMIN="1" ymin="1" xmax="2" YMAX="2"/></led>)"
        R"(<KNOB id="1"><ImageRegion xmin="0" ymin="0" xmax="1" ymax="1"/><POSITION X="1" Y="1"/>)"
        R"(</KNOB></c>)"));
    ASSERT_NE(mixedCase.findLED(3), nullptr);
    EXPECT_EQ(mixedCase.findLED(3)->getName(), "L");
    EXPECT_EQ(mixedCase.findLED(3)->getImageRegion(), juce::Rectangle<int>(1, 1, 1, 1));
    ASSERT_NE(mixedCase.findAnalog(1), nullptr);
    EXPECT_EQ(mixedCase.findAnalog(1)->getPosition(), juce::Rectangle<int>(1, 1, 0, 0));
}

TEST(ControlLayoutTest, ParseStopsAtTheFirstBadElementAndKeepsWhatItRead)
{
    const juce::String goodFour =
        juce::String(knobA) + R"(<Slider id="1"><ImageRegion xmin="0" ymin="0" xmax="1" ymax="1"/>)"
                              R"(<Position x="1" ymin="0" ymax="9"/></Slider>)"
                              R"(<Button id="0"><ImageRegion xmin="0" ymin="0" xmax="1" ymax="1"/></Button>)"
                              R"(<LED id="0"><ImageRegion xmin="0" ymin="0" xmax="1" ymax="1"/></LED>)";
    const juce::String last = R"(<Button id="9"><ImageRegion xmin="0" ymin="0" xmax="1" ymax="1"/></Button>)";

    const juce::StringArray badElements = {
        R"(<Fader id="5"><ImageRegion xmin="0" ymin="0" xmax="1" ymax="1"/></Fader>)",
        R"(<Button id="-1"><ImageRegion xmin="0" ymin="0" xmax="1" ymax="1"/></Button>)",
        R"(<Button name="no id"><ImageRegion xmin="0" ymin="0" xmax="1" ymax="1"/></Button>)",
        R"(<Button id="5"/>)",
        R"(<LED id="5"><ImageRegion xmin="0" ymin="0" xmax="1" ymax="-3"/></LED>)",
        R"(<LED id="5"><ImageRegion xmin="0" ymin="0" xmax="1"/></LED>)",
        R"(<Knob id="5"><ImageRegion xmin="0" ymin="0" xmax="1" ymax="1"/></Knob>)",
        R"(<Knob id="5"><ImageRegion xmin="0" ymin="0" xmax="1" ymax="1"/><Position x="3"/></Knob>)",
        R"(<Slider id="5"><ImageRegion xmin="0" ymin="0" xmax="1" ymax="1"/>)"
        R"(<Position x="3" ymin="-2" ymax="9"/></Slider>)",
        "loose text",
    };

    for (const auto& bad : badElements)
    {
        SCOPED_TRACE(bad);
        EmptyLayout layout;
        EXPECT_FALSE(layout.parse("<Controls>" + goodFour + bad + last + "</Controls>"));
        EXPECT_EQ(layout.getAnalogControls().size(), 2);
        EXPECT_EQ(layout.getDigitalControls().size(), 1);
        EXPECT_EQ(layout.getLEDControls().size(), 1);
        EXPECT_EQ(layout.findDigital(9), nullptr);
    }

    // Text that is not a well-formed document reads nothing, and a second parse appends.
    EmptyLayout layout;
    EXPECT_FALSE(layout.parse(""));
    EXPECT_FALSE(layout.parse(juce::String("<Controls>") + knobA));
    EXPECT_TRUE(layout.getAnalogControls().isEmpty());
    EXPECT_TRUE(layout.parse(juce::String("<Controls>") + knobA + "</Controls>"));
    EXPECT_TRUE(layout.parse(juce::String("<Controls>") + knobA + "</Controls>"));
    EXPECT_EQ(layout.getAnalogControls().size(), 2);

    const ControlLayout fromBadDocument("<Controls>" + goodFour + badElements[0] + "</Controls>");
    EXPECT_EQ(fromBadDocument.getAnalogControls().size(), 2);
}

TEST(ControlLayoutTest, FindersReturnTheEarlierOfTwoEqualIds)
{
    EmptyLayout layout;
    ASSERT_TRUE(layout.parse(
        R"(<Controls><Knob id="2" name="first"><ImageRegion xmin="0" ymin="0" xmax="1" ymax="1"/>)"
        R"(<Position x="0" y="0"/></Knob>)"
        R"(<Slider id="2" name="second"><ImageRegion xmin="0" ymin="0" xmax="1" ymax="1"/>)"
        R"(<Position x="0" y="0"/></Slider>)"
        R"(<LED id="1" name="L1"><ImageRegion xmin="0" ymin="0" xmax="1" ymax="1"/></LED>)"
        R"(<LED id="1" name="L2"><ImageRegion xmin="0" ymin="0" xmax="1" ymax="1"/></LED></Controls>)"));
    EXPECT_EQ(layout.findAnalog(2)->getName(), "first");
    EXPECT_EQ(layout.findLED(1)->getName(), "L1");
    EXPECT_EQ(layout.findDigital(1), nullptr);
}

TEST(ControlLayoutTest, RegionAndPositionReadersWriteOnlyOnSuccess)
{
    const juce::Rectangle<int> untouched(9, 9, 9, 9);
    auto rectangle = untouched;
    EXPECT_FALSE(ControlLayout::parseImageRegion(nullptr, rectangle));
    EXPECT_FALSE(ControlLayout::parsePosition(nullptr, rectangle));
    EXPECT_EQ(rectangle, untouched);

    const auto negative =
        juce::XmlDocument::parse(R"(<P x="-4" xmin="1" xmax="2" y="3" ymin="0" ymax="1"/>)");
    EXPECT_TRUE(ControlLayout::parsePosition(negative.get(), rectangle));
    EXPECT_EQ(rectangle, juce::Rectangle<int>(1, 0, 1, 1));

    rectangle = untouched;
    const auto region = juce::XmlDocument::parse(R"(<R xmin="1" ymin="2" xmax="3" ymax="-1"/>)");
    EXPECT_FALSE(ControlLayout::parseImageRegion(region.get(), rectangle));
    EXPECT_EQ(rectangle, untouched);
}
