#include "ui/DialogComponent.h"

#include "ui/Palette.h"

namespace
{
constexpr int pictureGap = 10;
constexpr int frameWidth = 6;
constexpr float veilAlpha = 0.7f;

// The shown dialog nearest the front among the parent's children in front of the given index.
DialogComponent* shownDialogFrom(const juce::Component& parent, int index)
{
    for (auto i = parent.getNumChildComponents(); --i >= index;)
        if (auto* dialog = dynamic_cast<DialogComponent*>(parent.getChildComponent(i));
            dialog != nullptr && dialog->isVisible())
            return dialog;
    return nullptr;
}
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
    // Shown, this dialog takes the focus; hidden, it hands it to the dialog behind, if one is shown.
    holdFocusInFrontDialog();
}

void DialogComponent::parentHierarchyChanged()
{
    // The window that holds the dialog is shown later than the dialog itself.
    holdFocusInFrontDialog();
}

void DialogComponent::globalFocusChanged(juce::Component*)
{
    holdFocus();
}

DialogComponent* DialogComponent::findCovering(const juce::Component& component)
{
    for (auto* child = &component; auto* parent = child->getParentComponent(); child = parent)
        if (auto* dialog = shownDialogFrom(*parent, parent->getIndexOfChildComponent(child) + 1))
            return dialog;
    return nullptr;
}

void DialogComponent::holdFocusInFrontDialog()
{
    if (auto* parent = getParentComponent())
        if (auto* front = shownDialogFrom(*parent, 0))
            front->holdFocus();
}

void DialogComponent::holdFocus()
{
    auto* focused = getCurrentlyFocusedComponent();
    auto* window = getTopLevelComponent();
    if (!isShowing() || findCovering(*this) != nullptr || isParentOf(focused))
        return;

    // A focus in another window, such as a file dialog's, is left alone, and so is a window that does
    // not have the focus of the desktop.
    const auto inWindow = focused != nullptr && (focused == window || window->isParentOf(focused));
    const auto windowActive = window->getPeer() != nullptr && window->getPeer()->isFocused();
    if (!inWindow && !(focused == nullptr && windowActive))
        return;

    if (auto* first = createKeyboardFocusTraverser()->getDefaultComponent(this))
        first->grabKeyboardFocus();
    else if (focused != nullptr && focused != window)
        focused->giveAwayKeyboardFocus();
}
