// Pins the panel view's clicks, listener calls, highlighted copy, marker pixels and caption strip.
#include "ui/EditorComponent.h"

#include "VexloResources.h"
#include "support/JucePrinters.h"
#include "support/Mouse.h"
#include "support/RepaintCounter.h"
#include "support/ScopedCustomLookAndFeel.h"
#include "ui/ControlLayout.h"
#include "ui/EditorFont.h"
#include "ui/Palette.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace
{
class RecordingListener : public EditorListener
{
public:
    void analogSelected(int id) override { calls.push_back("analog " + std::to_string(id)); }
    void digitalSelected(int id) override { calls.push_back("digital " + std::to_string(id)); }

    std::vector<std::string> calls;
};

using Calls = std::vector<std::string>;

constexpr int panelWidth = 1100;
constexpr int panelHeight = 438;

// A convex shape given by its corners in clockwise order on screen.
using Polygon = std::vector<juce::Point<float>>;

Polygon corners(juce::Rectangle<float> r)
{
    return {r.getTopLeft(), r.getTopRight(), r.getBottomRight(), r.getBottomLeft()};
}

// The share of the pixel's square that the shape covers: the square clipped by each of the shape's
// edges in turn, then measured. Exact for straight edges, so anti-aliased pixels are checked too.
float coverage(const Polygon& shape, int x, int y)
{
    const juce::Rectangle<float> pixel((float) x, (float) y, 1.0f, 1.0f);

    if (!juce::Rectangle<float>::findAreaContainingPoints(shape.data(), (int) shape.size()).intersects(pixel))
        return 0.0f;

    auto clipped = corners(pixel);

    for (size_t e = 0; e < shape.size(); ++e)
    {
        const auto from = shape[e];
        const auto edge = shape[(e + 1) % shape.size()] - from;
        const auto inside = [&](juce::Point<float> p)
        { return edge.x * (p.y - from.y) - edge.y * (p.x - from.x); };
        Polygon kept;

        for (size_t i = 0; i < clipped.size(); ++i)
        {
            const auto a = clipped[i];
            const auto b = clipped[(i + 1) % clipped.size()];
            const float sa = inside(a);
            const float sb = inside(b);

            if (sa >= 0.0f)
                kept.push_back(a);

            if ((sa >= 0.0f) != (sb >= 0.0f))
                kept.push_back(a + (b - a) * (sa / (sa - sb)));
        }

        clipped = kept;
    }

    float twiceArea = 0.0f;

    for (size_t i = 0; i < clipped.size(); ++i)
        twiceArea += clipped[i].x * clipped[(i + 1) % clipped.size()].y -
                     clipped[(i + 1) % clipped.size()].x * clipped[i].y;

    return std::abs(twiceArea) / 2.0f;
}

// One control's marker: a body in green or mid grey, and a white stripe over it.
struct Marker
{
    const ControlInfo* control;
    Polygon body;
    Polygon stripe;
    juce::Rectangle<int> box;
};

// The renderer's anti-aliasing is close to the exact share but not equal to it where an edge only
// clips a pixel's corner or the rim of a disc is flattened, so edge pixels are compared loosely; a
// quarter of a pixel more or less of a shape still shows on them.
constexpr int edgeTolerance = 24;

Marker cap(int id, juce::Rectangle<float> body, juce::Rectangle<float> stripe)
{
    return {ControlLayout::getInstance().findAnalog(id), corners(body), corners(stripe),
            body.getSmallestIntegerContainer().expanded(1)};
}

// Knobs: a disc of radius 13 about the knob's position, and a pointer 3 wide and 13 long that runs
// from the centre straight down before it is turned 45 degrees clockwise (value 0). Sliders: caps
// 40 by 15 with a 3-pixel line across, or 15 by 40 with one down the cross fader's.
std::vector<Marker> markers()
{
    std::vector<Marker> result;

    for (const float x : {58.0f, 130.0f, 203.0f, 276.0f, 348.0f, 420.0f})
        result.push_back(cap((int) result.size() * 4, {x, 307.5f, 40.0f, 15.0f}, {x, 313.5f, 40.0f, 3.0f}));

    result.push_back(cap(34, {853.5f, 310.0f, 15.0f, 40.0f}, {859.5f, 310.0f, 3.0f, 40.0f}));

    for (const auto* control : ControlLayout::getInstance().getAnalogControls())
    {
        if (control->getType() != ControlInfo::knob)
            continue;

        const auto centre = control->getPosition().getPosition().toFloat();
        const auto turn = juce::AffineTransform::rotation(juce::degreesToRadians(45.0f), centre.x, centre.y);
        Polygon disc;
        Polygon pointer = corners({centre.x - 1.5f, centre.y, 3.0f, 13.0f});

        for (int i = 0; i < 180; ++i)
            disc.push_back(centre.getPointOnCircumference(13.0f, juce::degreesToRadians(2.0f * (float) i)));

        for (auto& p : pointer)
            p.applyTransform(turn);

        result.push_back({control, disc, pointer, juce::Rectangle<int>(28, 28).withCentre(centre.toInt())});
    }

    return result;
}

bool near(juce::Colour a, juce::Colour b, int tolerance)
{
    return std::abs(a.getRed() - b.getRed()) <= tolerance &&
           std::abs(a.getGreen() - b.getGreen()) <= tolerance &&
           std::abs(a.getBlue() - b.getBlue()) <= tolerance &&
           std::abs(a.getAlpha() - b.getAlpha()) <= tolerance;
}

// For every pixel of the view: which marker's box holds it (-1 for none) and how much of it that
// marker's body and stripe cover. Measured once, since the markers never move.
struct Share
{
    int marker = -1;
    float body = 0.0f;
    float stripe = 0.0f;
};

const std::vector<Share>& shares()
{
    static const std::vector<Share> all = []
    {
        const auto list = markers();
        std::vector<Share> result((size_t) (panelWidth * panelHeight));

        for (size_t m = 0; m < list.size(); ++m)
            for (int y = list[m].box.getY(); y < list[m].box.getBottom(); ++y)
                for (int x = list[m].box.getX(); x < list[m].box.getRight(); ++x)
                    result[(size_t) (y * panelWidth + x)] = {(int) m, coverage(list[m].body, x, y),
                                                             coverage(list[m].stripe, x, y)};

        return result;
    }();

    return all;
}

class EditorComponentTest : public testing::Test
{
protected:
    EditorComponentTest()
    {
        view.setBounds(0, 0, view.getPanelWidth(), view.getPanelHeight());
        repaints = &RepaintCounter::attachTo(view);
    }

    void press(juce::Point<int> p, juce::ModifierKeys modifiers = juce::ModifierKeys::leftButtonModifier)
    {
        view.mouseDown(Mouse::pressAt(view, p, modifiers));
    }

    juce::Image render()
    {
        juce::Image image(juce::Image::ARGB, view.getWidth(), view.getHeight(), true);
        juce::Graphics g(image);
        view.paintEntireComponent(g, true);
        return image;
    }

    // Compares the whole view with what it should show: the panel picture, the selected control's
    // rectangle from the highlighted picture, every marker over it, and the caption strip's green at
    // its opacity. Inside the strip only its one-pixel border is compared, since the text lies within.
    void expectView(const juce::Image& rendered, juce::Rectangle<int> strip = {}, float opacity = 0.0f)
    {
        const juce::Image::BitmapData actual(rendered, juce::Image::BitmapData::readOnly);
        const juce::Image::BitmapData resting(panel, juce::Image::BitmapData::readOnly);
        const juce::Image::BitmapData lit(highlighted, juce::Image::BitmapData::readOnly);
        const auto* selected = view.getSelectedControl();
        const auto region = selected != nullptr ? selected->getImageRegion() : juce::Rectangle<int>();
        int mismatches = 0;

        for (int y = 0; y < rendered.getHeight(); ++y)
            for (int x = 0; x < rendered.getWidth(); ++x)
            {
                auto want = region.contains(x, y) ? lit.getPixelColour(x, y) : resting.getPixelColour(x, y);
                int tolerance = 0;

                const auto& share = shares()[(size_t) (y * panelWidth + x)];

                if (share.marker >= 0)
                {
                    const auto* control = allMarkers[(size_t) share.marker].control;
                    const auto colour = control == selected ? Palette::green : Palette::midGrey;
                    const auto partial = [](float f) { return f > 0.0f && f < 1.0f; };
                    want = want.interpolatedWith(colour, share.body)
                               .interpolatedWith(Palette::white, share.stripe);
                    tolerance = partial(share.body) || partial(share.stripe) ? edgeTolerance : 1;
                }

                if (strip.contains(x, y))
                {
                    if (strip.reduced(1).contains(x, y))
                        continue;

                    want = want.overlaidWith(Palette::green.withAlpha(opacity));
                    tolerance = 2;
                }

                if (!near(actual.getPixelColour(x, y), want, tolerance) && ++mismatches == 1)
                    ADD_FAILURE() << "first mismatch at " << x << ", " << y << ": "
                                  << actual.getPixelColour(x, y).toString() << " for " << want.toString();
            }

        EXPECT_EQ(mismatches, 0);
    }

    // The application's look and feel, so that the caption is measured and drawn in its typeface.
    ScopedCustomLookAndFeel lookAndFeel;
    RecordingListener listener;
    EditorComponent view{&listener};
    RepaintCounter* repaints = nullptr;
    const ControlLayout& layout = ControlLayout::getInstance();
    const std::vector<Marker> allMarkers = markers();
    const juce::Image panel = juce::ImageCache::getFromMemory(Resources::panel_png, Resources::panel_pngSize);
    const juce::Image highlighted = juce::ImageCache::getFromMemory(Resources::panel_highlighted_png,
                                                                    Resources::panel_highlighted_pngSize);
};
} // namespace

TEST_F(EditorComponentTest, TakesItsSizeFromThePanelPictureAndStartsWithoutSelection)
{
    const EditorComponent fresh(nullptr);
    EXPECT_EQ(fresh.getPanelWidth(), 1100);
    EXPECT_EQ(fresh.getPanelHeight(), 438);
    EXPECT_EQ(fresh.getBounds(), juce::Rectangle<int>());
    EXPECT_EQ(fresh.getSelectedControl(), nullptr);
    expectView(render());
}

TEST_F(EditorComponentTest, PressesSelectKnobsSlidersAndButtonsAndTellTheListener)
{
    press({48, 27});
    EXPECT_EQ(listener.calls, Calls({"analog 3"}));
    EXPECT_EQ(view.getSelectedControl()->getName(), "Knob 1");
    EXPECT_EQ(repaints->getCount(), 1);

    press({700, 50});
    EXPECT_EQ(listener.calls, Calls({"analog 3", "digital 0"}));
    EXPECT_EQ(view.getSelectedControl()->getName(), "Button 1");
    EXPECT_EQ(repaints->getCount(), 2);

    // Outside every control, including a key's right and bottom edges: nothing at all.
    for (const juce::Point<int> nowhere : {juce::Point<int>(0, 0), {722, 37}, {700, 83}, {1099, 437}})
        press(nowhere);

    EXPECT_EQ(listener.calls.size(), 2u);
    EXPECT_EQ(view.getSelectedControl()->getName(), "Button 1");
    EXPECT_EQ(repaints->getCount(), 2);

    // The selected control again: told again and repainted. Any mouse button selects.
    press({721, 82});
    press({860, 330}, juce::ModifierKeys::rightButtonModifier);
    press({1036, 270}, juce::ModifierKeys::middleButtonModifier);
    press({26, 248});
    EXPECT_EQ(listener.calls,
              Calls({"analog 3", "digital 0", "digital 0", "analog 34", "digital 23", "analog 0"}));
    EXPECT_EQ(view.getSelectedControl()->getName(), "Slider 1");
    EXPECT_EQ(repaints->getCount(), 6);
}

TEST_F(EditorComponentTest, WithoutAListenerPressesStillSelectAndRepaint)
{
    EditorComponent alone(nullptr);
    alone.setBounds(0, 0, alone.getPanelWidth(), alone.getPanelHeight());
    auto& aloneRepaints = RepaintCounter::attachTo(alone);

    alone.mouseDown(Mouse::pressAt(alone, {48, 27}));
    EXPECT_EQ(alone.getSelectedControl(), layout.findAnalog(3));
    alone.mouseDown(Mouse::pressAt(alone, {990, 260}));
    EXPECT_EQ(alone.getSelectedControl(), layout.findAnalog(3));
    alone.mouseDown(Mouse::pressAt(alone, {1000, 240}));
    EXPECT_EQ(alone.getSelectedControl(), layout.findDigital(23));
    alone.selectAnalog(20);
    EXPECT_EQ(alone.getSelectedControl(), layout.findAnalog(20));
    EXPECT_EQ(aloneRepaints.getCount(), 3);
}

TEST_F(EditorComponentTest, SelectAnalogTakesOnlyIdsOfTheLayout)
{
    view.selectAnalog(34);
    EXPECT_EQ(listener.calls, Calls({"analog 34"}));
    EXPECT_EQ(view.getSelectedControl()->getName(), "Cross Fader");
    EXPECT_EQ(repaints->getCount(), 1);

    for (const int invalid : {35, -1})
        view.selectAnalog(invalid);

    EXPECT_EQ(listener.calls, Calls({"analog 34"}));
    EXPECT_EQ(view.getSelectedControl()->getName(), "Cross Fader");
    EXPECT_EQ(repaints->getCount(), 1);
}

TEST_F(EditorComponentTest, PaintsTheSelectionFromTheHighlightedPictureAndEveryMarker)
{
    // A knob, a vertical slider, the cross fader and two buttons.
    for (const auto& at : {juce::Point<int>(50, 30), {250, 300}, {800, 300}, {700, 50}, {1000, 240}})
    {
        press(at);
        SCOPED_TRACE(view.getSelectedControl()->getName());
        expectView(render());
    }
}

TEST_F(EditorComponentTest, CaptionStripIsCentredAtRow401WithItsOpacity)
{
    view.selectAnalog(3);
    const juce::String text = "Saved to device!";
    const int textWidth = getEditorFont().getStringWidth(text);
    const juce::Rectangle<int> strip((1100 - textWidth) / 2 - 4, 401, textWidth + 8, 19);
    EXPECT_NEAR(strip.toFloat().getCentreX(), 550.0f, 0.5f);

    for (const float opacity : {1.0f, 0.5f})
    {
        SCOPED_TRACE(opacity);
        view.setCaption(text, opacity);
        const auto rendered = render();
        expectView(rendered, strip, opacity);

        // The text is white at the same opacity: pure white only when opaque.
        int white = 0;
        int light = 0;

        for (int y = strip.getY(); y < strip.getBottom(); ++y)
            for (int x = strip.getX(); x < strip.getRight(); ++x)
            {
                white += rendered.getPixelAt(x, y) == Palette::white ? 1 : 0;
                light += rendered.getPixelAt(x, y).getBlue() > 200 ? 1 : 0;
            }

        EXPECT_EQ(white > 0, opacity == 1.0f);
        EXPECT_GT(light, 20);
    }

    // A fully transparent caption, and an empty one at any opacity, draw nothing.
    view.setCaption(text, 0.0f);
    expectView(render());
    view.setCaption({}, 1.0f);
    expectView(render());
}

TEST_F(EditorComponentTest, UnchangedCaptionDoesNotRepaint)
{
    view.setCaption("Connected!", 1.0f);
    view.setCaption("Connected!", 1.0f);
    EXPECT_EQ(repaints->getCount(), 1);
    view.setCaption("Connected!", 0.75f);
    view.setCaption("Connected!", 0.75f);
    EXPECT_EQ(repaints->getCount(), 2);
    view.setCaption("Saved", 0.75f);
    view.setCaption({}, 0.0f);
    view.setCaption({}, 0.0f);
    EXPECT_EQ(repaints->getCount(), 4);
}

TEST_F(EditorComponentTest, WritesARenderForPeopleToLookAt)
{
    view.selectAnalog(3);
    view.setCaption("Connected!", 1.0f);

    // As in the main window: a 6-pixel dark margin around the view.
    juce::Image canvas(juce::Image::RGB, view.getWidth() + 12, view.getHeight() + 12, false);
    {
        juce::Graphics g(canvas);
        g.fillAll(Palette::darkGrey);
        g.drawImageAt(render(), 6, 6);
    }

    // Each run writes and reads back a file of its own, which then takes the shared name in one step:
    // suites run side by side never see one another's half-written render.
    const juce::TemporaryFile file(
        juce::File::getSpecialLocation(juce::File::currentExecutableFile).getSiblingFile("panel-view.png"));
    {
        juce::FileOutputStream out(file.getFile());
        juce::PNGImageFormat png;
        ASSERT_TRUE(out.openedOk() && png.writeImageToStream(canvas, out));
    }

    const auto readBack = juce::ImageFileFormat::loadFrom(file.getFile());
    EXPECT_EQ(readBack.getBounds(), canvas.getBounds());
    EXPECT_EQ(readBack.getPixelAt(0, 0), Palette::darkGrey);
    EXPECT_TRUE(file.overwriteTargetFileWithTemporary());
}
