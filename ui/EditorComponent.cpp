#include "ui/EditorComponent.h"

#include "VexloResources.h"
#include "ui/ControlLayout.h"
#include "ui/EditorFont.h"
#include "ui/Palette.h"

namespace
{
constexpr int lastAnalogId = 34;
constexpr int captionTop = 401;
constexpr int captionPadding = 4;
constexpr double captionExtraHeight = 8.0;

constexpr float knobRadius = 13.0f;
constexpr float pointerWidth = 3.0f;
constexpr double knobSweepDegrees = 270.0;
constexpr double knobStartDegrees = 45.0;
// pi / 180 at single precision, which sets the pointer's exact pixels.
constexpr float degreeToRadian = 0.017453292f;

constexpr float capLength = 40.0f;
constexpr float capThickness = 15.0f;
constexpr float capLineThickness = 3.0f;

constexpr float knobValue = 0.0f;
constexpr float sliderValue = 0.5f;
} // namespace

EditorComponent::EditorComponent(EditorListener* listener_)
    : listener(listener_),
      panelPicture(juce::ImageCache::getFromMemory(Resources::panel_png, Resources::panel_pngSize)),
      highlightedPicture(juce::ImageCache::getFromMemory(Resources::panel_highlighted_png,
                                                         Resources::panel_highlighted_pngSize))
{
}

int EditorComponent::getPanelWidth() const
{
    return panelPicture.getWidth();
}

int EditorComponent::getPanelHeight() const
{
    return panelPicture.getHeight();
}

void EditorComponent::selectAnalog(int id)
{
    const auto* control = ControlLayout::getInstance().findAnalog(id);

    if (control == nullptr)
        return;

    selected = control;

    if (listener != nullptr)
        listener->analogSelected(control->getId());

    repaint();
}

void EditorComponent::setCaption(const juce::String& text, float opacity)
{
    if (text == caption && opacity == captionOpacity)
        return;

    caption = text;
    captionOpacity = opacity;
    repaint();
}

void EditorComponent::mouseDown(const juce::MouseEvent& event)
{
    const auto* hit = ControlLayout::getInstance().hitTest(event.getPosition());

    if (hit == nullptr)
        return;

    if (listener != nullptr)
    {
        if (hit->getType() == ControlInfo::button)
            listener->digitalSelected(hit->getId());
        else
            listener->analogSelected(hit->getId());
    }

    selected = hit;
    repaint();
}

void EditorComponent::paint(juce::Graphics& g)
{
    g.drawImageAt(panelPicture, 0, 0);

    if (selected != nullptr)
    {
        const auto r = selected->getImageRegion();
        g.drawImage(highlightedPicture, r.getX(), r.getY(), r.getWidth(), r.getHeight(), r.getX(), r.getY(),
                    r.getWidth(), r.getHeight());
    }

    const auto& layout = ControlLayout::getInstance();

    for (int id = 0; id <= lastAnalogId; ++id)
    {
        const auto* control = layout.findAnalog(id);

        if (control == nullptr)
            continue;

        const auto p = control->getPosition();
        const bool isSelected = control == selected;

        if (control->getType() == ControlInfo::knob)
            drawKnob(g, p.getX() + p.getWidth() / 2, p.getY() + p.getHeight() / 2, isSelected, knobValue);
        else if (control->getType() == ControlInfo::slider)
            drawSlider(g, p, isSelected, sliderValue);
    }

    if (caption.isEmpty())
        return;

    const auto font = getEditorFont();
    const int textWidth = font.getStringWidth(caption);
    const int x = (getWidth() - textWidth) / 2 - captionPadding;
    const int width = textWidth + 2 * captionPadding;
    const int height = (int) (font.getHeight() + captionExtraHeight);

    g.setColour(Palette::green.withAlpha(captionOpacity));
    g.fillRect(x, captionTop, width, height);
    g.setFont(font);
    g.setColour(Palette::white.withAlpha(captionOpacity));
    g.drawText(caption, x, captionTop, width, height, juce::Justification::centred, false);
}

void EditorComponent::drawKnob(juce::Graphics& g, int centreX, int centreY, bool isSelected, float value)
{
    const auto cx = (float) centreX;
    const auto cy = (float) centreY;

    g.setColour(isSelected ? Palette::green : Palette::midGrey);
    g.fillEllipse(cx - knobRadius, cy - knobRadius, 2.0f * knobRadius, 2.0f * knobRadius);

    // Unrotated, the pointer runs from the centre straight down; value 0 turns it 45 degrees
    // clockwise to the lower left, and the sweep ends 270 degrees on, at the lower right.
    const auto angle = (float) ((value * knobSweepDegrees + knobStartDegrees) * (double) degreeToRadian);
    juce::Path pointer;
    pointer.addRectangle(cx - pointerWidth / 2.0f, cy, pointerWidth, knobRadius);
    g.setColour(Palette::white);
    g.fillPath(pointer, juce::AffineTransform::rotation(angle, cx, cy));
}

void EditorComponent::drawSlider(juce::Graphics& g, juce::Rectangle<int> travel, bool isSelected, float value)
{
    const float px = (float) travel.getX() + (float) travel.getWidth() * value;
    const float py = (float) travel.getY() + (float) travel.getHeight() * value;

    g.setColour(isSelected ? Palette::green : Palette::midGrey);

    if (travel.getHeight() > travel.getWidth())
    {
        g.fillRect(px - capLength / 2.0f, py - capThickness / 2.0f, capLength, capThickness);
        g.setColour(Palette::white);
        g.fillRect(px - capLength / 2.0f, py - capLineThickness / 2.0f, capLength, capLineThickness);
    }
    else
    {
        g.fillRect(px - capThickness / 2.0f, py - capLength / 2.0f, capThickness, capLength);
        g.setColour(Palette::white);
        g.fillRect(px - capLineThickness / 2.0f, py - capLength / 2.0f, capLineThickness, capLength);
    }
}
