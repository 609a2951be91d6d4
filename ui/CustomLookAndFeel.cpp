#include "ui/CustomLookAndFeel.h"

#include "VexloResources.h"
#include "ui/EditorFont.h"
#include "ui/Palette.h"

namespace
{
constexpr float cornerSize = 7.0f;
constexpr float faceOrigin = 0.5f;
constexpr float shadowOffset = 3.0f;
// Face and shadow are both 4 pixels smaller than the button, which leaves room for the shadow's
// offset below and to the right of the face.
constexpr int faceInset = 4;
constexpr float halfOpacity = 0.5f;
} // namespace

CustomLookAndFeel::CustomLookAndFeel()
{
    juce::MemoryInputStream stream(Resources::LiberationSansBold_typeface,
                                   (size_t) Resources::LiberationSansBold_typefaceSize, false);
    typeface = new juce::CustomTypeface(stream);

    setColour(juce::Label::textColourId, Palette::black);
    setColour(juce::TextEditor::backgroundColourId, Palette::white);
    setColour(juce::TextEditor::textColourId, Palette::black);
    setColour(juce::TextEditor::highlightColourId, Palette::green);
    setColour(juce::TextEditor::highlightedTextColourId, Palette::black);
    setColour(juce::TextEditor::outlineColourId, Palette::white);
    setColour(juce::TextEditor::focusedOutlineColourId, Palette::green);
    setColour(juce::TextEditor::shadowColourId, Palette::black);
    setColour(juce::ComboBox::backgroundColourId, Palette::white);
    setColour(juce::ComboBox::textColourId, Palette::black);
    setColour(juce::ComboBox::outlineColourId, Palette::white);
    setColour(juce::ComboBox::buttonColourId, Palette::white);
    setColour(juce::ComboBox::arrowColourId, Palette::pink);
    setColour(juce::PopupMenu::backgroundColourId, Palette::lightGrey);
    setColour(juce::PopupMenu::textColourId, Palette::black);
    setColour(juce::PopupMenu::headerTextColourId, Palette::black);
    setColour(juce::PopupMenu::highlightedBackgroundColourId, Palette::green);
    setColour(juce::PopupMenu::highlightedTextColourId, Palette::black);
    setColour(juce::TextButton::buttonColourId, Palette::lightGrey);
    setColour(juce::TextButton::buttonOnColourId, Palette::green);
    setColour(juce::TextButton::textColourOffId, Palette::black);
    setColour(juce::TextButton::textColourOnId, Palette::black);
}

juce::Typeface::Ptr CustomLookAndFeel::getTypefaceForFont(const juce::Font&)
{
    return typeface;
}

void CustomLookAndFeel::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                             bool, bool isButtonDown)
{
    const auto width = (float) (button.getWidth() - faceInset);
    const auto height = (float) (button.getHeight() - faceInset);

    g.setColour(Palette::darkGrey);
    g.fillRoundedRectangle(shadowOffset, shadowOffset, width, height, cornerSize);

    g.setColour(isButtonDown ? Palette::green : Palette::lightGrey);
    g.fillRoundedRectangle(faceOrigin, faceOrigin, width, height, cornerSize);

    g.setColour(Palette::darkGrey);
    g.drawRoundedRectangle(faceOrigin, faceOrigin, width, height, cornerSize, 1.0f);
}

void CustomLookAndFeel::drawButtonText(juce::Graphics& g, juce::TextButton& button, bool, bool)
{
    g.setFont(getEditorFont());
    g.setColour(Palette::black);
    // One pixel down and two narrower than the button, so the text sits on the face above its shadow.
    g.drawText(button.getButtonText(), 0, 1, button.getWidth() - 2, button.getHeight() - 2,
               juce::Justification::centred, false);
}

juce::Path CustomLookAndFeel::getTickShape(float height)
{
    juce::Path circle;
    circle.addEllipse(0.0f, 0.0f, height, height);
    return circle;
}

void CustomLookAndFeel::drawTextEditorOutline(juce::Graphics& g, int width, int height,
                                              juce::TextEditor& editor)
{
    if (!editor.isEnabled())
        return;

    const auto focused = editor.hasKeyboardFocus(true) && !editor.isReadOnly();
    g.setColour(editor.findColour(focused ? juce::TextEditor::focusedOutlineColourId
                                          : juce::TextEditor::outlineColourId));
    g.drawRect(0, 0, width, height, 1);
}

void CustomLookAndFeel::drawPopupMenuBackground(juce::Graphics& g, int, int)
{
    g.fillAll(findColour(juce::PopupMenu::backgroundColourId));
}

juce::Font CustomLookAndFeel::getPopupMenuFont()
{
    return getEditorFont();
}

void CustomLookAndFeel::drawMenuBarBackground(juce::Graphics& g, int, int, bool, juce::MenuBarComponent&)
{
    g.fillAll(findColour(juce::PopupMenu::backgroundColourId));
}

juce::Font CustomLookAndFeel::getMenuBarFont(juce::MenuBarComponent&, int, const juce::String&)
{
    return getEditorFont();
}

void CustomLookAndFeel::drawComboBox(juce::Graphics& g, int width, int height, bool isButtonDown, int buttonX,
                                     int buttonY, int buttonW, int buttonH, juce::ComboBox& box)
{
    const auto bx = (float) buttonX;
    const auto by = (float) buttonY;
    const auto bw = (float) buttonW;
    const auto bh = (float) buttonH;

    g.fillAll(box.findColour(juce::ComboBox::backgroundColourId));

    const auto focused = box.isEnabled() && box.hasKeyboardFocus(false);
    g.setColour(focused ? Palette::green : box.findColour(juce::ComboBox::outlineColourId));
    g.drawRect(0, 0, width, height, 1);

    auto buttonColour = box.findColour(juce::ComboBox::buttonColourId);
    if (!isButtonDown)
        buttonColour = buttonColour.withAlpha(halfOpacity);
    g.setColour(buttonColour);
    g.fillRect(bx + 1.0f, by + 1.0f, bw - 2.0f, bh - 2.0f);

    if (!box.isEnabled())
        return;

    juce::Path arrow;
    arrow.addTriangle(bx + 0.5f * bw, by + 0.6f * bh, bx + 0.7f * bw, by + 0.4f * bh, bx + 0.3f * bw,
                      by + 0.4f * bh);

    auto arrowColour = box.findColour(juce::ComboBox::arrowColourId);
    if (!isButtonDown)
        arrowColour = arrowColour.withAlpha(halfOpacity);
    g.setColour(arrowColour);
    g.fillPath(arrow);
}

juce::Font CustomLookAndFeel::getComboBoxFont(juce::ComboBox&)
{
    return getEditorFont();
}

juce::Font CustomLookAndFeel::getLabelFont(juce::Label&)
{
    return getEditorFont();
}
