// Draws the editor's embedded pictures and writes them as PNG files into the given folder: the panel
// picture and its highlighted twin, the about picture and the ports picture. Every control's place
// on the panel comes from the embedded layout document, so the pictures and the hit test agree.
// Remake the committed pictures from the repository's root with:
//   cmake --build build --target make_pictures && build/tools/make_pictures resources
#include "ui/ControlLayout.h"
#include "ui/Palette.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <iostream>

namespace
{
// Read straight from the file rather than found by name, so the pictures do not depend on what the
// system's font lookup happens to prefer.
constexpr const char* typefaceFile = "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf";

constexpr int panelWidth = 1100;
constexpr int panelHeight = 438;
constexpr int aboutWidth = 319;
constexpr int aboutHeight = 395;
constexpr int portsWidth = 331;
constexpr int portsHeight = 238;

// Analog ids by group on the device: six columns of three knobs over a slider, two columns of five
// knobs, and the cross fader.
constexpr int firstWideColumnId = 24;
constexpr int crossFaderId = 34;

// The panel view draws a disc of radius 13 over each knob centre and a 40 by 15 cap over each
// slider rail; the drawing below frames them. Every highlighted part stays at least a pixel inside
// its control's rectangle, so a copied rectangle never cuts one.
constexpr float panelCorner = 12.0f;
constexpr float plateMargin = 8.0f;
constexpr float keyPlateMargin = 12.0f;
constexpr float plateCorner = 9.0f;
constexpr float hatchSpacing = 6.0f;
constexpr float knobBodyRadius = 18.5f;
constexpr float knobTickInner = 22.0f;
constexpr float knobTickOuter = 27.0f;
constexpr float knobLongTickOuter = 28.5f;
constexpr int knobTicks = 11;
constexpr float knobSweepStart = 45.0f;
constexpr float knobSweep = 270.0f;
constexpr int scaleSteps = 10;
constexpr float lineThickness = 2.0f;
constexpr float railThickness = 4.0f;
constexpr float railOverhang = 4.0f;
constexpr float sliderBarGap = 24.0f;
constexpr float sliderMajorBar = 22.0f;
constexpr float sliderMinorBar = 13.0f;
constexpr float faderTickGap = 17.0f;
constexpr float faderMajorTick = 10.0f;
constexpr float faderMinorTick = 6.0f;
constexpr float keyInset = 2.5f;
constexpr float keyCorner = 6.0f;
constexpr float shadowDrop = 1.5f;
constexpr float markTop = 392.0f;
constexpr float markCapHeight = 28.0f;

const juce::Colour plateFace{(juce::uint8) 221, (juce::uint8) 221, (juce::uint8) 222};
const juce::Colour plateEdge{(juce::uint8) 198, (juce::uint8) 198, (juce::uint8) 200};
const juce::Colour hatchLine{(juce::uint8) 201, (juce::uint8) 201, (juce::uint8) 204};
const juce::Colour scaleGrey{(juce::uint8) 118, (juce::uint8) 119, (juce::uint8) 122};
const juce::Colour shadowGrey{(juce::uint8) 170, (juce::uint8) 170, (juce::uint8) 173};
const juce::Colour knobRim{(juce::uint8) 84, (juce::uint8) 84, (juce::uint8) 87};

class Lettering
{
public:
    bool load()
    {
        juce::MemoryBlock data;

        if (!juce::File(typefaceFile).loadFileAsData(data))
            return false;

        typeface = juce::Typeface::createSystemTypefaceFor(data.getData(), data.getSize());
        return typeface != nullptr;
    }

    // The text's outline at the size where its capitals are capHeight tall.
    juce::Path outline(const juce::String& text, float capHeight) const
    {
        auto path = shape(text);
        path.applyTransform(juce::AffineTransform::scale(capHeight / shape("H").getBounds().getHeight()));
        return path;
    }

private:
    juce::Path shape(const juce::String& text) const
    {
        juce::GlyphArrangement glyphs;
        glyphs.addLineOfText(juce::Font(typeface).withHeight(100.0f), text, 0.0f, 0.0f);
        juce::Path path;
        glyphs.createPath(path);
        return path;
    }

    juce::Typeface::Ptr typeface;
};

// Places text by its ink rather than by its font metrics, so that it lands on exact pixel rows.
void fillInk(juce::Graphics& g, juce::Path path, juce::Rectangle<float> area,
             juce::Justification justification)
{
    const auto ink = path.getBounds();
    const auto target = justification.appliedToRectangle(ink, area);
    path.applyTransform(
        juce::AffineTransform::translation(target.getX() - ink.getX(), target.getY() - ink.getY()));
    g.fillPath(path);
}

juce::Point<float> centreOf(juce::Rectangle<int> position)
{
    return position.getPosition().toFloat() +
           juce::Point<float>((float) position.getWidth() / 2.0f, (float) position.getHeight() / 2.0f);
}

// The direction of a knob's scale at the given angle, in degrees clockwise from straight down.
juce::Point<float> knobDirection(float degrees)
{
    const float radians = juce::degreesToRadians(degrees);
    return {-std::sin(radians), std::cos(radians)};
}

void strokeLine(juce::Graphics& g, juce::Point<float> from, juce::Point<float> to)
{
    juce::Path line;
    line.startNewSubPath(from);
    line.lineTo(to);
    g.strokePath(line, juce::PathStrokeType(lineThickness, juce::PathStrokeType::curved,
                                            juce::PathStrokeType::rounded));
}

juce::Rectangle<float> unionOfRegions(const ControlLayout& layout, int firstId, int lastId)
{
    juce::Rectangle<int> area = layout.findAnalog(firstId)->getImageRegion();

    for (int id = firstId + 1; id <= lastId; ++id)
        area = area.getUnion(layout.findAnalog(id)->getImageRegion());

    return area.toFloat();
}

void drawPlate(juce::Graphics& g, juce::Rectangle<float> area)
{
    g.setColour(plateFace);
    g.fillRoundedRectangle(area, plateCorner);
    g.setColour(plateEdge);
    g.drawRoundedRectangle(area, plateCorner, 1.0f);
}

void drawHatchedPlate(juce::Graphics& g, juce::Rectangle<float> area)
{
    drawPlate(g, area);

    juce::Path outline;
    outline.addRoundedRectangle(area.reduced(1.0f), plateCorner - 1.0f);
    juce::Graphics::ScopedSaveState state(g);
    g.reduceClipRegion(outline);
    g.setColour(hatchLine);

    for (float x = area.getX() - area.getHeight(); x < area.getRight(); x += hatchSpacing)
        g.drawLine(x, area.getBottom(), x + area.getHeight(), area.getY(), 1.0f);
}

void drawKnob(juce::Graphics& g, juce::Point<float> centre, juce::Colour scale)
{
    g.setColour(shadowGrey);
    g.fillEllipse(juce::Rectangle<float>(knobBodyRadius * 2.0f, knobBodyRadius * 2.0f)
                      .withCentre(centre.translated(0.0f, shadowDrop)));
    g.setColour(Palette::darkGrey);
    g.fillEllipse(juce::Rectangle<float>(knobBodyRadius * 2.0f, knobBodyRadius * 2.0f).withCentre(centre));
    g.setColour(knobRim);
    g.drawEllipse(
        juce::Rectangle<float>(knobBodyRadius * 2.0f - 5.0f, knobBodyRadius * 2.0f - 5.0f).withCentre(centre),
        1.0f);

    g.setColour(scale);

    for (int i = 0; i < knobTicks; ++i)
    {
        const auto direction =
            knobDirection(knobSweepStart + knobSweep * (float) i / (float) (knobTicks - 1));
        const bool major = i == 0 || i == knobTicks / 2 || i == knobTicks - 1;
        strokeLine(g, centre + direction * knobTickInner,
                   centre + direction * (major ? knobLongTickOuter : knobTickOuter));
    }
}

void drawVerticalSlider(juce::Graphics& g, juce::Rectangle<int> travel, juce::Colour scale)
{
    const auto rail = travel.toFloat();
    g.setColour(Palette::darkGrey);
    g.fillRoundedRectangle(rail.getX() - railThickness / 2.0f, rail.getY() - railOverhang, railThickness,
                           rail.getHeight() + 2.0f * railOverhang, railThickness / 2.0f);

    g.setColour(scale);

    for (int i = 0; i <= scaleSteps; ++i)
    {
        const float y = rail.getY() + rail.getHeight() * (float) i / (float) scaleSteps;
        const float right = rail.getX() - sliderBarGap;
        const float length = i % 2 == 0 ? sliderMajorBar : sliderMinorBar;
        strokeLine(g, {right - length + lineThickness / 2.0f, y}, {right - lineThickness / 2.0f, y});
    }
}

void drawHorizontalSlider(juce::Graphics& g, juce::Rectangle<int> travel, juce::Colour scale)
{
    const auto rail = travel.toFloat();
    g.setColour(Palette::darkGrey);
    g.fillRoundedRectangle(rail.getX() - railThickness / 2.0f, rail.getY() - railThickness / 2.0f,
                           rail.getWidth() + railThickness, railThickness, railThickness / 2.0f);

    g.setColour(scale);

    for (int i = 0; i <= scaleSteps; ++i)
    {
        const float x = rail.getX() + rail.getWidth() * (float) i / (float) scaleSteps;
        const float length = i % 2 == 0 ? faderMajorTick : faderMinorTick;
        const float above = rail.getY() - faderTickGap;
        const float below = rail.getY() + faderTickGap;
        strokeLine(g, {x, above - length + lineThickness / 2.0f}, {x, above - lineThickness / 2.0f});
        strokeLine(g, {x, below + lineThickness / 2.0f}, {x, below + length - lineThickness / 2.0f});
    }
}

void drawKey(juce::Graphics& g, juce::Rectangle<int> region, juce::Colour face)
{
    const auto area = region.toFloat().reduced(keyInset);
    g.setColour(shadowGrey);
    g.fillRoundedRectangle(area.translated(0.0f, shadowDrop), keyCorner);
    g.setColour(face);
    g.fillRoundedRectangle(area, keyCorner);
}

// The two panel pictures differ only in the colours of the scales and of the key faces.
juce::Image makePanel(const ControlLayout& layout, const Lettering& lettering, bool highlighted)
{
    const auto scale = highlighted ? Palette::green : scaleGrey;
    const auto keyFace = highlighted ? Palette::green : Palette::white;

    juce::Image image(juce::Image::ARGB, panelWidth, panelHeight, true);
    juce::Graphics g(image);

    const auto bounds = image.getBounds().toFloat().reduced(0.5f);
    g.setColour(Palette::lightGrey);
    g.fillRoundedRectangle(bounds, panelCorner);
    g.setColour(plateEdge);
    g.drawRoundedRectangle(bounds, panelCorner, 1.0f);

    const auto narrowColumns = unionOfRegions(layout, 0, firstWideColumnId - 1);
    const auto wideColumns = unionOfRegions(layout, firstWideColumnId, crossFaderId - 1);
    const auto crossFader = unionOfRegions(layout, crossFaderId, crossFaderId);
    auto keys = layout.getDigitalControls().getFirst()->getImageRegion();

    for (const auto* key : layout.getDigitalControls())
        keys = keys.getUnion(key->getImageRegion());

    const auto keyPlate = keys.toFloat().expanded(keyPlateMargin);

    drawPlate(g, narrowColumns.expanded(plateMargin));
    drawPlate(g, wideColumns.expanded(plateMargin));
    drawPlate(g, crossFader.expanded(plateMargin));
    drawHatchedPlate(g, keyPlate);

    for (const auto* control : layout.getAnalogControls())
    {
        const auto position = control->getPosition();

        if (control->getType() == ControlInfo::knob)
            drawKnob(g, centreOf(position), scale);
        else if (position.getHeight() > position.getWidth())
            drawVerticalSlider(g, position, scale);
        else
            drawHorizontalSlider(g, position, scale);
    }

    for (const auto* key : layout.getDigitalControls())
        drawKey(g, key->getImageRegion(), keyFace);

    // The name mark sits under the keys' right end, clear of the caption strip at the centre.
    g.setColour(Palette::pink);
    fillInk(g, lettering.outline("VEXLO", markCapHeight),
            {keyPlate.getX(), markTop, keyPlate.getWidth(), markCapHeight}, juce::Justification::bottomRight);
    return image;
}

// A white knob on a pink rounded square, the emblem of the about picture.
void drawLogo(juce::Graphics& g, juce::Rectangle<float> area)
{
    constexpr float corner = 16.0f;
    constexpr float tickInner = 25.0f;
    constexpr float tickOuter = 31.0f;
    constexpr float knobRadius = 19.0f;
    constexpr float pointerWidth = 5.0f;
    constexpr float pointerLength = 17.0f;
    constexpr float pointerTurn = -50.0f;

    g.setColour(Palette::pink);
    g.fillRoundedRectangle(area, corner);

    const auto centre = area.getCentre();
    g.setColour(Palette::white);

    for (int i = 0; i < knobTicks; ++i)
    {
        const auto direction =
            knobDirection(knobSweepStart + knobSweep * (float) i / (float) (knobTicks - 1));
        strokeLine(g, centre + direction * tickInner, centre + direction * tickOuter);
    }

    g.fillEllipse(juce::Rectangle<float>(knobRadius * 2.0f, knobRadius * 2.0f).withCentre(centre));
    g.setColour(Palette::pink);
    juce::Path pointer;
    pointer.addRoundedRectangle(centre.x - pointerWidth / 2.0f, centre.y - pointerLength, pointerWidth,
                                pointerLength, pointerWidth / 2.0f);
    g.fillPath(pointer,
               juce::AffineTransform::rotation(juce::degreesToRadians(pointerTurn), centre.x, centre.y));
}

// The about box writes its version and identity lines into rows 167 to 354, so the logo, the title
// and the notice keep to the bands above and below; text stops a fifth of a pixel short of a band's
// end so that its anti-aliasing stays off the next row.
juce::Image makeAbout(const Lettering& lettering)
{
    constexpr float logoTop = 49.0f;
    constexpr float logoSize = 81.0f;
    constexpr float titleTop = 146.0f;
    constexpr float titleEnd = 167.0f;
    constexpr float titleCapHeight = 20.0f;
    constexpr float noticeTop = 355.0f;
    constexpr float noticeEnd = 381.0f;
    constexpr float noticeCapHeight = 7.6f;
    constexpr float noticeLineHeight = 12.8f;
    constexpr float inkSlack = 0.2f;

    juce::Image image(juce::Image::RGB, aboutWidth, aboutHeight, false);
    juce::Graphics g(image);
    g.fillAll(Palette::lightGrey);

    const auto width = (float) aboutWidth;
    drawLogo(g, {(width - logoSize) / 2.0f, logoTop, logoSize, logoSize});

    g.setColour(Palette::black);
    fillInk(g, lettering.outline("VEXLO EDITOR", titleCapHeight),
            {0.0f, titleTop, width, titleEnd - titleTop - inkSlack}, juce::Justification::centredTop);
    fillInk(g, lettering.outline("VEXLO Editor is free software, licensed", noticeCapHeight),
            {0.0f, noticeTop, width, noticeLineHeight}, juce::Justification::centredTop);
    fillInk(g, lettering.outline("under the GNU GPL, version 3 or later.", noticeCapHeight),
            {0.0f, noticeEnd - inkSlack - noticeLineHeight, width, noticeLineHeight},
            juce::Justification::centredBottom);
    return image;
}

// A five-pin MIDI socket seen from the front, in the palette's pink.
void drawSocket(juce::Graphics& g, juce::Point<float> centre)
{
    constexpr float outer = 44.0f;
    constexpr float ring = 9.0f;
    constexpr float pinCircle = 23.0f;
    constexpr float pinRadius = 5.5f;

    g.setColour(Palette::pink);
    juce::Path socket;
    socket.addEllipse(juce::Rectangle<float>(outer * 2.0f, outer * 2.0f).withCentre(centre));
    socket.addEllipse(
        juce::Rectangle<float>((outer - ring) * 2.0f, (outer - ring) * 2.0f).withCentre(centre));
    socket.setUsingNonZeroWinding(false);
    g.fillPath(socket);
    g.fillRoundedRectangle(centre.x - 6.0f, centre.y + outer - ring - 8.0f, 12.0f, 10.0f, 2.0f);

    // The pins lie on the upper half circle, opposite the key notch.
    for (int i = 0; i < 5; ++i)
    {
        const auto direction = knobDirection(90.0f + 45.0f * (float) i);
        g.fillEllipse(juce::Rectangle<float>(pinRadius * 2.0f, pinRadius * 2.0f)
                          .withCentre(centre + direction * pinCircle));
    }
}

juce::Image makePorts(const Lettering& lettering)
{
    constexpr float socketCentreY = 82.0f;
    constexpr float firstLineTop = 160.0f;
    constexpr float secondLineTop = 182.0f;
    constexpr float capHeight = 12.0f;

    juce::Image image(juce::Image::RGB, portsWidth, portsHeight, false);
    juce::Graphics g(image);
    g.fillAll(Palette::lightGrey);

    const auto width = (float) portsWidth;
    drawSocket(g, {width / 2.0f, socketCentreY});

    g.setColour(Palette::darkGrey);
    fillInk(g, lettering.outline("PLEASE CONNECT YOUR VEXLO", capHeight),
            {0.0f, firstLineTop, width, capHeight}, juce::Justification::centredTop);
    fillInk(g, lettering.outline("AND CHOOSE ITS MIDI PORTS", capHeight),
            {0.0f, secondLineTop, width, capHeight}, juce::Justification::centredTop);
    return image;
}

bool writePng(const juce::Image& image, const juce::File& file)
{
    file.deleteFile();
    juce::FileOutputStream out(file);
    juce::PNGImageFormat png;
    return out.openedOk() && png.writeImageToStream(image, out);
}
} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2)
    {
        std::cerr << "usage: make_pictures <resources folder>\n";
        return 2;
    }

    juce::ScopedJuceInitialiser_GUI juceRuntime;
    Lettering lettering;

    if (!lettering.load())
    {
        std::cerr << "cannot read " << typefaceFile << "\n";
        return 1;
    }

    const juce::File folder = juce::File::getCurrentWorkingDirectory().getChildFile(argv[1]);
    const auto& layout = ControlLayout::getInstance();
    const std::pair<const char*, juce::Image> pictures[] = {
        {"panel.png", makePanel(layout, lettering, false)},
        {"panel_highlighted.png", makePanel(layout, lettering, true)},
        {"about.png", makeAbout(lettering)},
        {"ports.png", makePorts(lettering)},
    };

    for (const auto& [name, image] : pictures)
    {
        if (!writePng(image, folder.getChildFile(name)))
        {
            std::cerr << "cannot write " << folder.getChildFile(name).getFullPathName() << "\n";
            return 1;
        }
    }

    return 0;
}
