#include "ui/DialogComponent.h"

#include "ui/Palette.h"

namespace
{
constexpr int pictureGap = 10;
constexpr int frameWidth = 6;
constexpr float veilAlpha = 0.7f;
} // namespace

DialogComponent::DialogComponent(juce::Component* contentToShow)
    : DialogComponent(juce::Image(), contentToShow)
{
}

DialogComponent::DialogComponent(const juce::Image& picture, juce::Component* contentToShow)
    : image(picture), content(contentToShow)
{
    jassert(content != nullptr);
    addAndMakeVisible(content);

    // A click on the veil would otherwise hand the focus to the first field beneath it.
    setMouseClickGrabsKeyboardFocus(false);
    setFocusContainerType(FocusContainerType::keyboardFocusContainer);
    // Programs move the focus too (a form given a control takes it); a move beneath the dialog is
    // undone as soon as the toolkit reports it.
    juce::Desktop::getInstance().addFocusChangeListener(this);
}

DialogComponent::~DialogComponent()
{
    juce::Desktop::getInstance().removeFocusChangeListener(this);
}

int DialogComponent::pictureHeight() const
{
    const auto height = image.getHeight();
    return height > 0 ? height + pictureGap : 0;
}

void DialogComponent::paint(juce::Graphics& g)
{
    g.fillAll(Palette::lightGrey.withAlpha(veilAlpha));

    const auto imageHeight = pictureHeight();
    const auto contentWidth = content->getWidth();
    const auto contentHeight = content->getHeight();
    const auto boxWidth = image.getWidth() >= contentWidth ? image.getWidth() : contentWidth;
    const auto x = (getWidth() - boxWidth) / 2;
    const auto y = (getHeight() - contentHeight - imageHeight) / 2;
    const auto innerHeight = contentHeight + imageHeight;

    g.setColour(Palette::darkGrey);
    g.fillRect(x - 2 * frameWidth, y - 2 * frameWidth, boxWidth + 4 * frameWidth,
               innerHeight + 4 * frameWidth);

    g.setColour(Palette::lightGrey);
    g.fillRect(x - frameWidth, y - frameWidth, boxWidth + 2 * frameWidth, innerHeight + 2 * frameWidth);

    if (imageHeight > 0)
        g.drawImageAt(image, (getWidth() - image.getWidth()) / 2, y, false);
}

void DialogComponent::resized()
{
    const auto imageHeight = pictureHeight();
    const auto contentWidth = content->getWidth();
    const auto contentHeight = content->getHeight();
    content->setBounds((getWidth() - contentWidth) / 2,
                       (getHeight() - contentHeight - imageHeight) / 2 + imageHeight, contentWidth,
                       contentHeight);
}

void DialogComponent::visibilityChanged()
{
    holdFocus();
}

void DialogComponent::globalFocusChanged(juce::Component*)
{
    holdFocus();
}

void DialogComponent::holdFocus()
{
    auto* focused = getCurrentlyFocusedComponent();
    auto* beneath = getParentComponent();

    if (isVisible() && focused != nullptr && beneath != nullptr && beneath->isParentOf(focused) &&
        !isParentOf(focused))
        focused->giveAwayKeyboardFocus();
}
