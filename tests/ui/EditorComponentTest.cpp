// Pins the panel view's clicks and listener calls, its highlighted copy, every marker's pixels and the
// caption strip.
#include "ui/EditorComponent.h"

#include "VexloResources.h"
#include "support/JucePrinters.h"
#include "support/Mouse.h"
#include "support/RepaintCounter.h"
#include "ui/ControlLayout.h"
#include "ui/EditorFont.h"
#include "ui/Palette.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
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

// Reads an image's pixels through one bitmap lock rather than one per pixel.
class Pixels
{
public:
    explicit Pixels(const juce::Image& image) : data(image, juce::Image::BitmapData::readOnly) {}

    juce::Colour at(int x, int y) const { return data.getPixelColour(x, y); }
    juce::Colour at(juce::Point<float> p) const { return at((int) std::floor(p.x), (int) std::floor(p.y)); }

private:
    juce::Image::BitmapData data;
};

struct Marker
{
    const ControlInfo* control;
    juce::Rectangle<int> bounds;
};

// The Part's marker geometry for every analog control with the embedded layout: knob discs of radius
// 13 about the control's position, slider caps centred on the middle of their travel.
std::vector<Marker> markers()
{
    std::vector<Marker> result;

    for (const auto* control : ControlLayout::getInstance().getAnalogControls())
    {
        const auto p = control->getPosition();
        const auto centre = p.getPosition() + juce::Point<int>(p.getWidth() / 2, p.getHeight() / 2);
        const juce::Rectangle<int> box = control->getType() == ControlInfo::knob
                                             ? juce::Rectangle<int>(26, 26)
                                         : p.getHeight() > p.getWidth() ? juce::Rectangle<int>(40, 16)
                                                                        : juce::Rectangle<int>(16, 40);
        result.push_back({control, box.withCentre(centre).expanded(2)});
    }

    return result;
}

bool insideAnyMarker(int x, int y)
{
    static const auto all = markers();

    for (const auto& marker : all)
        if (marker.bounds.contains(x, y))
            return true;

    return false;
}

juce::Colour markerColour(const ControlInfo* control, const ControlInfo* selected)
{
    return control == selected ? Palette::green : Palette::midGrey;
}

// How much of one pixel's square a shape covers, from 0 to 1, or unknown (negative) where a round
// edge crosses it. Straight-edged shapes are measured exactly, so anti-aliased edges are checked too.
using Shape = std::function<float(juce::Rectangle<float>)>;
constexpr float unknown = -1.0f;
constexpr float curveMargin = 0.3f;

// The points p with dot(p, normal) <= offset.
struct HalfPlane
{
    juce::Point<float> normal;
    float offset;
};

float side(const HalfPlane& plane, juce::Point<float> p)
{
    return p.x * plane.normal.x + p.y * plane.normal.y - plane.offset;
}

// Clips the pixel's square by each half plane in turn and measures what is left.
Shape convexShape(std::vector<HalfPlane> planes)
{
    return [planes](juce::Rectangle<float> pixel)
    {
        std::vector<juce::Point<float>> polygon = {pixel.getTopLeft(), pixel.getTopRight(),
                                                   pixel.getBottomRight(), pixel.getBottomLeft()};

        for (const auto& plane : planes)
        {
            std::vector<juce::Point<float>> clipped;

            for (size_t i = 0; i < polygon.size(); ++i)
            {
                const auto a = polygon[i];
                const auto b = polygon[(i + 1) % polygon.size()];
                const float sa = side(plane, a);
                const float sb = side(plane, b);

                if (sa <= 0.0f)
                    clipped.push_back(a);

                if ((sa < 0.0f) != (sb < 0.0f) && sa != sb)
                    clipped.push_back(a + (b - a) * (sa / (sa - sb)));
            }

            polygon = clipped;
        }

        float twiceArea = 0.0f;

        for (size_t i = 0; i < polygon.size(); ++i)
        {
            const auto a = polygon[i];
            const auto b = polygon[(i + 1) % polygon.size()];
            twiceArea += a.x * b.y - b.x * a.y;
        }

        return std::abs(twiceArea) / 2.0f;
    };
}

Shape rectangleShape(juce::Rectangle<float> r)
{
    return convexShape({{{-1.0f, 0.0f}, -r.getX()},
                        {{1.0f, 0.0f}, r.getRight()},
                        {{0.0f, -1.0f}, -r.getY()},
                        {{0.0f, 1.0f}, r.getBottom()}});
}

// A knob's pointer for value 0: 3 wide and 13 long from the centre, turned 45 degrees clockwise from
// straight down, towards the lower left.
Shape pointerShape(juce::Point<float> centre)
{
    const float angle = juce::degreesToRadians(45.0f);
    const juce::Point<float> along(-std::sin(angle), std::cos(angle));
    const juce::Point<float> across(std::cos(angle), std::sin(angle));
    const auto dot = [](juce::Point<float> a, juce::Point<float> b) { return a.x * b.x + a.y * b.y; };

    return convexShape({{-along, -dot(along, centre)},
                        {along, 13.0f + dot(along, centre)},
                        {-across, 1.5f - dot(across, centre)},
                        {across, 1.5f + dot(across, centre)}});
}

Shape discShape(juce::Point<float> centre, float radius)
{
    return [centre, radius](juce::Rectangle<float> pixel)
    {
        const float farthest = std::max(
            {centre.getDistanceFrom(pixel.getTopLeft()), centre.getDistanceFrom(pixel.getTopRight()),
             centre.getDistanceFrom(pixel.getBottomLeft()), centre.getDistanceFrom(pixel.getBottomRight())});
        const float nearest = centre.getDistanceFrom(pixel.getConstrainedPoint(centre));
        return farthest <= radius - curveMargin ? 1.0f : nearest >= radius + curveMargin ? 0.0f : unknown;
    };
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

    // What the view must show under its markers and caption: the panel picture with the selected
    // control's rectangle taken from the highlighted picture.
    juce::Image background() const
    {
        auto image = panel.createCopy();

        if (const auto* selected = view.getSelectedControl())
        {
            const Pixels source(highlighted);
            const auto r = selected->getImageRegion();

            for (int y = r.getY(); y < r.getBottom(); ++y)
                for (int x = r.getX(); x < r.getRight(); ++x)
                    image.setPixelAt(x, y, source.at(x, y));
        }

        return image;
    }

    // Every pixel outside the markers and the given area equals the background.
    void expectBackgroundOutsideMarkers(const juce::Image& rendered, juce::Rectangle<int> skipped = {})
    {
        const Pixels actual(rendered);
        const auto expectedImage = background();
        const Pixels expected(expectedImage);
        int mismatches = 0;

        for (int y = 0; y < rendered.getHeight(); ++y)
            for (int x = 0; x < rendered.getWidth(); ++x)
                if (!insideAnyMarker(x, y) && !skipped.contains(x, y) && actual.at(x, y) != expected.at(x, y))
                    if (++mismatches == 1)
                        ADD_FAILURE() << "first mismatch at " << x << ", " << y;

        EXPECT_EQ(mismatches, 0);
    }

    // Checks every pixel of a marker's box against the Part's shapes: the body in the marker's colour
    // over the background, the stripe (a knob's pointer, a cap's line) in white over both.
    static void expectMarker(const Pixels& actual, const Pixels& expected, juce::Rectangle<int> box,
                             const Shape& body, const Shape& stripe, juce::Colour colour)
    {
        constexpr int blendTolerance = 3;
        int checked = 0;
        int mismatches = 0;

        for (int y = box.getY(); y < box.getBottom(); ++y)
            for (int x = box.getX(); x < box.getRight(); ++x)
            {
                const juce::Rectangle<float> pixel((float) x, (float) y, 1.0f, 1.0f);
                const float b = body(pixel);
                const float s = stripe(pixel);

                if (b < 0.0f || s < 0.0f)
                    continue;

                ++checked;
                const auto want =
                    expected.at(x, y).interpolatedWith(colour, b).interpolatedWith(Palette::white, s);
                const auto got = actual.at(x, y);
                const bool exact = (b == 0.0f || b == 1.0f) && (s == 0.0f || s == 1.0f);
                const int tolerance = exact ? 0 : blendTolerance;
                const bool matches = std::abs(got.getRed() - want.getRed()) <= tolerance &&
                                     std::abs(got.getGreen() - want.getGreen()) <= tolerance &&
                                     std::abs(got.getBlue() - want.getBlue()) <= tolerance;

                if (!matches && ++mismatches == 1)
                    ADD_FAILURE() << "first mismatch at " << x << ", " << y << ": " << got.toString()
                                  << " for " << want.toString();
            }

        EXPECT_EQ(mismatches, 0);
        EXPECT_GT(checked, box.getWidth() * box.getHeight() / 2);
    }

    void expectAllMarkers(const juce::Image& rendered)
    {
        const Pixels actual(rendered);
        const auto backgroundImage = background();
        const Pixels expected(backgroundImage);
        const auto* selected = view.getSelectedControl();

        // The caps of the six vertical sliders and of the cross fader, from the Part's figures.
        const int railX[] = {78, 150, 223, 296, 368, 440};

        for (int column = 0; column < 6; ++column)
        {
            const auto* slider = layout.findAnalog(column * 4);
            SCOPED_TRACE(slider->getName());
            const juce::Rectangle<float> cap((float) railX[column] - 20.0f, 307.5f, 40.0f, 15.0f);
            expectMarker(actual, expected, cap.getSmallestIntegerContainer().expanded(2), rectangleShape(cap),
                         rectangleShape(cap.withSizeKeepingCentre(40.0f, 3.0f)),
                         markerColour(slider, selected));
        }

        const juce::Rectangle<float> faderCap(853.5f, 310.0f, 15.0f, 40.0f);
        expectMarker(actual, expected, faderCap.getSmallestIntegerContainer().expanded(2),
                     rectangleShape(faderCap), rectangleShape(faderCap.withSizeKeepingCentre(3.0f, 40.0f)),
                     markerColour(layout.findAnalog(34), selected));

        for (const auto* control : layout.getAnalogControls())
            if (control->getType() == ControlInfo::knob)
            {
                SCOPED_TRACE(control->getName());
                const auto centre = control->getPosition().getPosition().toFloat();
                expectMarker(actual, expected, juce::Rectangle<int>(30, 30).withCentre(centre.toInt()),
                             discShape(centre, 13.0f), pointerShape(centre), markerColour(control, selected));
            }
    }

    RecordingListener listener;
    EditorComponent view{&listener};
    RepaintCounter* repaints = nullptr;
    const ControlLayout& layout = ControlLayout::getInstance();
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

    const auto rendered = render();
    expectBackgroundOutsideMarkers(rendered);
    expectAllMarkers(rendered);
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
    EXPECT_EQ(view.getSelectedControl()->getType(), ControlInfo::button);
    EXPECT_EQ(repaints->getCount(), 2);

    // Outside every control, including a key's right and bottom edges: nothing at all.
    for (const juce::Point<int> nowhere : {juce::Point<int>(0, 0), {722, 37}, {700, 83}, {1099, 437}})
    {
        press(nowhere);
        EXPECT_EQ(listener.calls.size(), 2u);
        EXPECT_EQ(view.getSelectedControl()->getName(), "Button 1");
        EXPECT_EQ(repaints->getCount(), 2);
    }

    // The selected control again: told again and repainted.
    press({721, 82});
    EXPECT_EQ(listener.calls.back(), "digital 0");
    EXPECT_EQ(repaints->getCount(), 3);

    press({860, 330}, juce::ModifierKeys::rightButtonModifier);
    EXPECT_EQ(listener.calls.back(), "analog 34");
    press({1036, 270}, juce::ModifierKeys::middleButtonModifier);
    EXPECT_EQ(listener.calls.back(), "digital 23");
    EXPECT_EQ(view.getSelectedControl()->getName(), "Button 24");
    press({26, 248});
    EXPECT_EQ(listener.calls.back(), "analog 0");
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

    const auto before = render();

    for (const int invalid : {35, -1, 1000})
        view.selectAnalog(invalid);

    EXPECT_EQ(listener.calls, Calls({"analog 34"}));
    EXPECT_EQ(view.getSelectedControl()->getName(), "Cross Fader");
    EXPECT_EQ(repaints->getCount(), 1);

    const auto after = render();
    const Pixels a(before);
    const Pixels b(after);
    EXPECT_EQ(a.at(860, 305), b.at(860, 305));
    EXPECT_EQ(a.at(855, 330), b.at(855, 330));
}

TEST_F(EditorComponentTest, PaintsTheSelectedRectangleFromTheHighlightedPictureAndEveryMarker)
{
    // A knob, a vertical slider, the cross fader and a button, each selected in turn.
    const std::vector<std::function<void()>> selections = {
        [this] { view.selectAnalog(3); },  [this] { view.selectAnalog(12); },
        [this] { view.selectAnalog(34); }, [this] { press({700, 50}); },
        [this] { press({1000, 240}); },
    };

    for (const auto& select : selections)
    {
        select();
        const auto* selected = view.getSelectedControl();
        SCOPED_TRACE(selected->getName());

        const auto rendered = render();
        expectBackgroundOutsideMarkers(rendered);
        expectAllMarkers(rendered);

        // The highlight really shows: the region differs from the resting panel.
        const Pixels actual(rendered);
        const Pixels resting(panel);
        const auto r = selected->getImageRegion();
        int highlightedPixels = 0;

        for (int y = r.getY(); y < r.getBottom(); ++y)
            for (int x = r.getX(); x < r.getRight(); ++x)
                highlightedPixels += !insideAnyMarker(x, y) && actual.at(x, y) != resting.at(x, y) ? 1 : 0;

        EXPECT_GT(highlightedPixels, 40);
    }
}

TEST_F(EditorComponentTest, CaptionStripIsCentredAtRow401WithItsOpacity)
{
    view.selectAnalog(3);
    const juce::String text = "Saved to device!";
    const int textWidth = getEditorFont().getStringWidth(text);
    const int x = (1100 - textWidth) / 2 - 4;
    const int width = textWidth + 8;
    const juce::Rectangle<int> strip(x, 401, width, 19);
    EXPECT_NEAR(strip.toFloat().getCentreX(), 550.0f, 0.5f);

    const auto backgroundImage = background();
    const Pixels expected(backgroundImage);

    for (const float opacity : {1.0f, 0.5f})
    {
        SCOPED_TRACE(opacity);
        view.setCaption(text, opacity);
        const auto rendered = render();
        expectBackgroundOutsideMarkers(rendered, strip);
        expectAllMarkers(rendered);

        // The strip's edges hold no text: there it is the background under green at the opacity.
        const Pixels actual(rendered);
        const auto expectStrip = [&](int px, int py)
        {
            const auto want = expected.at(px, py).overlaidWith(Palette::green.withAlpha(opacity));
            const auto got = actual.at(px, py);
            EXPECT_NEAR(got.getRed(), want.getRed(), 2) << px << ", " << py;
            EXPECT_NEAR(got.getGreen(), want.getGreen(), 2) << px << ", " << py;
            EXPECT_NEAR(got.getBlue(), want.getBlue(), 2) << px << ", " << py;
        };

        for (int px = strip.getX(); px < strip.getRight(); ++px)
        {
            expectStrip(px, 401);
            expectStrip(px, 419);
        }

        for (int py = 401; py < 420; ++py)
        {
            expectStrip(strip.getX(), py);
            expectStrip(strip.getRight() - 1, py);
        }

        // Text in white at the same opacity: pure white only when opaque.
        int white = 0;
        int lighter = 0;

        for (int py = 401; py < 420; ++py)
            for (int px = strip.getX(); px < strip.getRight(); ++px)
            {
                const auto c = actual.at(px, py);
                white += c == Palette::white ? 1 : 0;
                lighter += c.getBlue() > 200 ? 1 : 0;
            }

        EXPECT_GT(lighter, 20);
        EXPECT_EQ(white > 0, opacity == 1.0f);
    }

    // Fully transparent, and empty at any opacity: nothing drawn.
    view.setCaption(text, 0.0f);
    expectBackgroundOutsideMarkers(render());
    view.setCaption({}, 1.0f);
    expectBackgroundOutsideMarkers(render());
}

TEST_F(EditorComponentTest, UnchangedCaptionDoesNotRepaint)
{
    view.setCaption("Connected!", 1.0f);
    EXPECT_EQ(repaints->getCount(), 1);
    view.setCaption("Connected!", 1.0f);
    EXPECT_EQ(repaints->getCount(), 1);
    view.setCaption("Connected!", 0.75f);
    EXPECT_EQ(repaints->getCount(), 2);
    view.setCaption("Connected!", 0.75f);
    EXPECT_EQ(repaints->getCount(), 2);
    view.setCaption("Saved", 0.75f);
    EXPECT_EQ(repaints->getCount(), 3);
    view.setCaption({}, 0.0f);
    EXPECT_EQ(repaints->getCount(), 4);
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

    const auto file =
        juce::File::getSpecialLocation(juce::File::currentExecutableFile).getSiblingFile("panel-view.png");
    file.deleteFile();
    {
        juce::FileOutputStream out(file);
        ASSERT_TRUE(out.openedOk());
        juce::PNGImageFormat png;
        ASSERT_TRUE(png.writeImageToStream(canvas, out));
    }

    const auto readBack = juce::ImageFileFormat::loadFrom(file);
    EXPECT_EQ(readBack.getWidth(), 1112);
    EXPECT_EQ(readBack.getHeight(), 450);
    EXPECT_EQ(readBack.getPixelAt(0, 0), Palette::darkGrey);
}
