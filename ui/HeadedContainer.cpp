#include "ui/HeadedContainer.h"

#include "ui/EditorFont.h"
#include "ui/Palette.h"

namespace
{
constexpr int tabWidth = 80;

int fontHeight()
{
    return (int) getEditorFont().getHeight();
}

// The content starts 13 pixels below a font height, leaving a gap under the header line.
int contentTop()
{
    return fontHeight() + 13;
}
} // namespace

HeadedContainer::HeadedContainer(const juce::String& titleText, juce::Component* contentToShow, bool fill,
                                 bool sizeToContent)
    : title(titleText), content(contentToShow), fillContent(fill)
{
    if (content == nullptr)
        return;

    addAndMakeVisible(content);
    if (sizeToContent)
        setSize(content->getWidth(), content->getHeight() + contentTop());
}

void HeadedContainer::paint(juce::Graphics& g)
{
    const auto width = getWidth();
    const auto lineY = fontHeight() + 3;

    g.setColour(Palette::darkGrey);
    g.drawHorizontalLine(lineY, 0.0f, (float) width);
    // The tab's bottom row lies on the line.
    g.fillRect(width - tabWidth, 0, tabWidth, lineY + 1);

    g.setColour(Palette::pink);
    g.setFont(getEditorFont());
    g.drawText(title, width - tabWidth, 2, tabWidth, fontHeight() + 2, juce::Justification::centred, false);
}

void HeadedContainer::resized()
{
    if (content == nullptr)
        return;

    const auto top = contentTop();
    if (fillContent)
        content->setBounds(0, top, getWidth(), getHeight() - top);
    else
        content->setBounds(0, top, content->getWidth(), content->getHeight());
}
