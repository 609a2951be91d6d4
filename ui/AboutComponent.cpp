#include "ui/AboutComponent.h"

#include "VexloResources.h"
#include "ui/ApplicationVersion.h"
#include "ui/EditorFont.h"
#include "ui/Palette.h"

namespace
{
// The picture leaves rows 167 to 354 free for the two lines.
constexpr int versionTop = 180;
} // namespace

AboutComponent::AboutComponent(AboutComponentListener* listener_)
    : listener(listener_),
      aboutPicture(juce::ImageCache::getFromMemory(Resources::about_png, Resources::about_pngSize))
{
    setSize(aboutPicture.getWidth(), aboutPicture.getHeight());
}

void AboutComponent::setDeviceIdentity(const juce::String& text)
{
    deviceIdentity = text;
}

void AboutComponent::mouseDown(const juce::MouseEvent&)
{
    if (listener != nullptr)
        listener->aboutClosed();
}

void AboutComponent::paint(juce::Graphics& g)
{
    g.drawImageAt(aboutPicture, 0, 0);

    const auto font = getEditorFont();
    const int lineHeight = (int) font.getHeight();
    g.setFont(font);
    g.setColour(Palette::greyBlue);
    g.drawText(juce::String("Version ") + applicationVersion, 0, versionTop, getWidth(), lineHeight,
               juce::Justification::centred, false);

    // One blank line below the version.
    const int identityY = (int) (2.0 * font.getHeight() + versionTop);
    g.drawText(deviceIdentity, 0, identityY, getWidth(), lineHeight, juce::Justification::centred, false);
}
