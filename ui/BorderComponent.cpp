#include "ui/BorderComponent.h"

#include "ui/Palette.h"

namespace
{
constexpr int contentX = 2;
constexpr int contentY = 7;
// Room for the content's margins: 2 left, 7 right; 7 above, 7 below (the shadow included).
constexpr int extraWidth = 9;
constexpr int extraHeight = 14;
constexpr float faceOrigin = 0.5f;
constexpr float shadowOrigin = 2.5f;
constexpr int faceInset = 4;
constexpr float cornerSize = 7.0f;
} // namespace

BorderComponent::BorderComponent(juce::Component* contentToShow) : content(contentToShow)
{
    jassert(content != nullptr);
    addAndMakeVisible(content);
    setSize(content->getWidth() + extraWidth, content->getHeight() + extraHeight);
}

void BorderComponent::paint(juce::Graphics& g)
{
    const auto width = (float) (getWidth() - faceInset);
    const auto height = (float) (getHeight() - faceInset);

    g.setColour(Palette::darkGrey);
    g.fillRoundedRectangle(shadowOrigin, shadowOrigin, width, height, cornerSize);

    g.setColour(Palette::lightGrey);
    g.fillRoundedRectangle(faceOrigin, faceOrigin, width, height, cornerSize);

    g.setColour(Palette::darkGrey);
    g.drawRoundedRectangle(faceOrigin, faceOrigin, width, height, cornerSize, 1.0f);
}

void BorderComponent::resized()
{
    content->setBounds(contentX, contentY, content->getWidth(), content->getHeight());
}
