// Pins the editor's look by painting JUCE's widgets through it: button faces, field and combo box
// outlines, the combo box arrow, plain menu backgrounds, the circle tick, one typeface and one font.
#include "support/HeadlessWindow.h"
#include "support/Pixels.h"
#include "support/ScopedCustomLookAndFeel.h"
#include "ui/EditorFont.h"
#include "ui/Palette.h"
#include "ui/TextEditor.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <gtest/gtest.h>

using Pixels::at;

namespace
{
// A combo box that is a window of its own: the only place where JUCE lets a disabled component
// keep the keyboard focus.
class DesktopComboBox : public juce::ComboBox
{
protected:
    juce::ComponentPeer* createNewPeer(int styleFlags, void*) override
    {
        return createHeadlessPeer(*this, styleFlags);
    }
};

bool allOf(const juce::Image& image, juce::Colour colour)
{
    const auto matching =
        Pixels::count(image, image.getBounds(), [&](juce::Colour c) { return c == colour; });
    return matching == image.getWidth() * image.getHeight();
}
} // namespace

class CustomLookAndFeelTest : public testing::Test
{
protected:
    ScopedCustomLookAndFeel lookAndFeel;
};

TEST_F(CustomLookAndFeelTest, WidgetColoursComeFromThePaletteAndTheRestStayJuceDefaults)
{
    const std::pair<int, juce::Colour> expected[] = {
        {juce::Label::textColourId, Palette::black},
        {juce::TextEditor::backgroundColourId, Palette::white},
        {juce::TextEditor::textColourId, Palette::black},
        {juce::TextEditor::highlightColourId, Palette::green},
        {juce::TextEditor::highlightedTextColourId, Palette::black},
        {juce::TextEditor::outlineColourId, Palette::white},
        {juce::TextEditor::focusedOutlineColourId, Palette::green},
        {juce::TextEditor::shadowColourId, Palette::black},
        {juce::ComboBox::backgroundColourId, Palette::white},
        {juce::ComboBox::textColourId, Palette::black},
        {juce::ComboBox::outlineColourId, Palette::white},
        {juce::ComboBox::buttonColourId, Palette::white},
        {juce::ComboBox::arrowColourId, Palette::pink},
        {juce::PopupMenu::backgroundColourId, Palette::lightGrey},
        {juce::PopupMenu::textColourId, Palette::black},
        {juce::PopupMenu::headerTextColourId, Palette::black},
        {juce::PopupMenu::highlightedBackgroundColourId, Palette::green},
        {juce::PopupMenu::highlightedTextColourId, Palette::black},
        {juce::TextButton::buttonColourId, Palette::lightGrey},
        {juce::TextButton::buttonOnColourId, Palette::green},
        {juce::TextButton::textColourOffId, Palette::black},
        {juce::TextButton::textColourOnId, Palette::black},
    };
    for (const auto& [id, colour] : expected)
        EXPECT_EQ(lookAndFeel.get().findColour(id), colour) << "colour id 0x" << std::hex << id;

    juce::LookAndFeel_V2 standard;
    for (const auto id : {(int) juce::CaretComponent::caretColourId, (int) juce::Label::backgroundColourId,
                          (int) juce::Label::outlineColourId, (int) juce::ToggleButton::textColourId})
        EXPECT_EQ(lookAndFeel.get().findColour(id), standard.findColour(id))
            << "colour id 0x" << std::hex << id;
}

TEST_F(CustomLookAndFeelTest, EveryFontRequestGetsTheEmbeddedTypefaceAtHeightEleven)
{
    auto& laf = lookAndFeel.get();
    const auto embedded = laf.getTypefaceForFont(getEditorFont());
    ASSERT_NE(embedded, nullptr);
    EXPECT_EQ(embedded->getName(), "VEXLO Sans");
    EXPECT_EQ(embedded->getStyle(), "Bold");

    const juce::Font requests[] = {
        juce::Font(),
        juce::Font("Times New Roman", 30.0f, juce::Font::bold | juce::Font::italic),
        juce::Font(juce::Font::getDefaultMonospacedFontName(), 8.0f, juce::Font::plain),
    };
    for (const auto& font : requests)
    {
        EXPECT_EQ(laf.getTypefaceForFont(font), embedded);
        // How the widgets and painting code resolve a font: through JUCE's cache and the default look.
        EXPECT_EQ(font.getTypefacePtr(), embedded);
    }

    juce::MenuBarComponent menuBar;
    juce::ComboBox box;
    box.setSize(300, 60);
    juce::Label label;
    label.setFont(juce::Font(30.0f, juce::Font::bold));
    for (const auto& font : {laf.getPopupMenuFont(), laf.getMenuBarFont(menuBar, 1, "Device"),
                             laf.getComboBoxFont(box), laf.getLabelFont(label)})
    {
        EXPECT_EQ(font.getHeight(), 11.0f);
        EXPECT_EQ(font.getStyleFlags(), juce::Font::plain);
        EXPECT_EQ(font.getTypefacePtr(), embedded);
    }
}

TEST_F(CustomLookAndFeelTest, ALabelWithAFontOfItsOwnIsStillDrawnInTheEditorFont)
{
    juce::Label plain({}, "MIDI CHANNEL");
    juce::Label ownFont({}, "MIDI CHANNEL");
    ownFont.setFont(juce::Font("Times New Roman", 30.0f, juce::Font::italic));
    plain.setBounds(0, 0, 120, 40);
    ownFont.setBounds(0, 0, 120, 40);

    const auto image = Pixels::snapshot(ownFont);
    EXPECT_TRUE(Pixels::same(image, Pixels::snapshot(plain)));

    const auto ink = Pixels::bounds(image, Pixels::isInk);
    EXPECT_GE(ink.getHeight(), 7);
    EXPECT_LE(ink.getHeight(), 9);
    EXPECT_NEAR(ink.getWidth(), getEditorFont().getStringWidth("MIDI CHANNEL"), 2);
}

TEST_F(CustomLookAndFeelTest, AHeldDownButtonHasAGreenFaceAndNothingElseChangesItsLook)
{
    juce::TextButton button;
    button.setButtonText("OPEN");
    button.setBounds(0, 0, 91, 30);

    const auto normal = Pixels::snapshot(button);
    EXPECT_EQ(at(normal, 10, 5), Palette::lightGrey);
    EXPECT_TRUE(Pixels::near(at(normal, 0, 15), Palette::darkGrey)); // outline
    EXPECT_EQ(at(normal, 89, 15), Palette::darkGrey);                // shadow right of the face
    EXPECT_EQ(at(normal, 45, 28), Palette::darkGrey);                // shadow below it
    EXPECT_EQ(at(normal, 90, 15).getAlpha(), 0);

    // The text is black in the editor font, centred on the face above the shadow: (0, 1, 89, 28).
    const juce::Rectangle<int> face(4, 4, 80, 20);
    const auto text = Pixels::bounds(normal, face, Pixels::isBlack);
    const auto reference =
        Pixels::draw(91, 30,
                     [](juce::Graphics& g)
                     {
                         g.fillAll(Palette::lightGrey);
                         g.setColour(Palette::black);
                         g.setFont(getEditorFont());
                         g.drawText("OPEN", 0, 1, 89, 28, juce::Justification::centred, false);
                     });
    ASSERT_FALSE(text.isEmpty());
    EXPECT_EQ(text, Pixels::bounds(reference, face, Pixels::isBlack));

    button.setState(juce::Button::buttonDown);
    const auto down = Pixels::snapshot(button);
    EXPECT_EQ(at(down, 10, 5), Palette::green);
    EXPECT_EQ(at(down, 89, 15), Palette::darkGrey);
    EXPECT_EQ(Pixels::bounds(down, face, Pixels::isBlack), text);

    button.setState(juce::Button::buttonOver);
    EXPECT_TRUE(Pixels::same(Pixels::snapshot(button), normal));

    button.setState(juce::Button::buttonNormal);
    button.setToggleState(true, juce::dontSendNotification);
    EXPECT_TRUE(Pixels::same(Pixels::snapshot(button), normal));

    button.setToggleState(false, juce::dontSendNotification);
    button.setEnabled(false);
    EXPECT_TRUE(Pixels::same(Pixels::snapshot(button), normal));
}

TEST_F(CustomLookAndFeelTest, TextFieldOutlineIsGreenOnlyWhileFocusedAndEditable)
{
    HeadlessWindow window(200, 100);
    TextEditor field;
    field.setBounds(10, 10, 60, 20);
    window.addAndMakeVisible(field);
    // A grey face, so that the white outline shows.
    field.setColour(juce::TextEditor::backgroundColourId, Palette::midGrey);

    const auto edge = [&] { return at(Pixels::snapshot(field), 0, 10); };
    const auto inside = [&] { return at(Pixels::snapshot(field), 1, 10); };

    EXPECT_EQ(edge(), Palette::white);
    EXPECT_EQ(inside(), Palette::midGrey);

    field.grabKeyboardFocus();
    ASSERT_TRUE(field.hasKeyboardFocus(true));
    EXPECT_EQ(edge(), Palette::green);
    EXPECT_EQ(inside(), Palette::midGrey);

    field.setReadOnly(true);
    EXPECT_EQ(edge(), Palette::white);

    field.setReadOnly(false);
    field.setEnabled(false);
    EXPECT_EQ(edge(), Palette::midGrey);
}

TEST_F(CustomLookAndFeelTest, ComboBoxHasAHalfPinkArrowAndAGreenOutlineOnlyWhileItselfFocused)
{
    HeadlessWindow window(200, 100);
    juce::ComboBox box;
    box.setBounds(10, 10, 100, 20);
    // A visible plain outline, distinct from the green focus outline.
    box.setColour(juce::ComboBox::outlineColourId, Palette::midGrey);
    window.addAndMakeVisible(box);

    // JUCE puts the button area at the right: (84, 0, 16, 20); the arrow's middle is near (92, 9).
    const auto halfPink = Palette::white.overlaidWith(Palette::pink.withAlpha(0.5f));
    auto image = Pixels::snapshot(box);
    EXPECT_TRUE(Pixels::near(at(image, 92, 9), halfPink));
    EXPECT_TRUE(Pixels::near(at(image, 92, 14), Palette::white));
    EXPECT_EQ(at(image, 0, 10), Palette::midGrey);
    EXPECT_EQ(at(image, 99, 10), Palette::midGrey);
    EXPECT_EQ(at(image, 50, 10), Palette::white);

    const auto held = Pixels::draw(100, 20,
                                   [&](juce::Graphics& g)
                                   { lookAndFeel.get().drawComboBox(g, 100, 20, true, 84, 0, 16, 20, box); });
    EXPECT_EQ(at(held, 92, 9), Palette::pink);
    EXPECT_TRUE(Pixels::near(at(held, 86, 3), Palette::white));

    box.grabKeyboardFocus();
    ASSERT_TRUE(box.hasKeyboardFocus(false));
    image = Pixels::snapshot(box);
    EXPECT_EQ(at(image, 0, 10), Palette::green);
    EXPECT_EQ(at(image, 50, 0), Palette::green);

    juce::Component child;
    child.setWantsKeyboardFocus(true);
    child.setBounds(40, 5, 10, 10);
    box.addAndMakeVisible(child);
    child.grabKeyboardFocus();
    ASSERT_TRUE(box.hasKeyboardFocus(true));
    EXPECT_EQ(at(Pixels::snapshot(box), 0, 10), Palette::midGrey);
    box.removeChildComponent(&child);
}

TEST_F(CustomLookAndFeelTest, DisabledComboBoxHasNoArrowAndThePlainOutlineEvenWhenFocused)
{
    DesktopComboBox box;
    box.setSize(100, 20);
    box.setColour(juce::ComboBox::outlineColourId, Palette::midGrey);
    // A black button area shows its opacity on the white box.
    box.setColour(juce::ComboBox::buttonColourId, Palette::black);
    box.setVisible(true);
    box.addToDesktop(0);
    box.setEnabled(false);
    box.grabKeyboardFocus();
    ASSERT_TRUE(box.hasKeyboardFocus(false));

    const auto image = Pixels::snapshot(box);
    const auto halfBlack = Palette::white.overlaidWith(Palette::black.withAlpha(0.5f));
    EXPECT_EQ(at(image, 0, 10), Palette::midGrey);
    EXPECT_TRUE(Pixels::near(at(image, 86, 3), halfBlack));
    EXPECT_TRUE(Pixels::near(at(image, 92, 9), halfBlack));
}

TEST_F(CustomLookAndFeelTest, MenuBarAndPopupMenusHaveAPlainLightGreyBackground)
{
    auto& laf = lookAndFeel.get();
    juce::MenuBarComponent menuBar;
    // The look's own menu colour counts, not the menu bar's.
    menuBar.setColour(juce::PopupMenu::backgroundColourId, juce::Colours::red);

    EXPECT_TRUE(
        allOf(Pixels::draw(120, 60, [&](juce::Graphics& g) { laf.drawPopupMenuBackground(g, 120, 60); }),
              Palette::lightGrey));
    EXPECT_TRUE(allOf(Pixels::draw(120, 60,
                                   [&](juce::Graphics& g) {
                                       laf.drawPopupMenuBackgroundWithOptions(g, 120, 60,
                                                                              juce::PopupMenu::Options());
                                   }),
                      Palette::lightGrey));
    for (const auto mouseOver : {false, true})
        EXPECT_TRUE(allOf(Pixels::draw(300, 24,
                                       [&](juce::Graphics& g)
                                       { laf.drawMenuBarBackground(g, 300, 24, mouseOver, menuBar); }),
                          Palette::lightGrey));
}

TEST_F(CustomLookAndFeelTest, TheTickOfAPopupMenuItemIsAFilledCircle)
{
    auto& laf = lookAndFeel.get();
    EXPECT_EQ(laf.getTickShape(10.0f).getBounds(), juce::Rectangle<float>(0.0f, 0.0f, 10.0f, 10.0f));

    const auto image = Pixels::draw(200, 40,
                                    [&](juce::Graphics& g) {
                                        laf.drawPopupMenuItem(g, {0, 0, 200, 40}, false, true, false, true,
                                                              false, "", "", nullptr, nullptr);
                                    });
    const auto tick = Pixels::bounds(image, Pixels::isInk);
    ASSERT_FALSE(tick.isEmpty());
    EXPECT_NEAR(tick.getWidth(), tick.getHeight(), 1);

    const auto centre = tick.getCentre();
    const auto radius = (float) tick.getHeight() / 2.0f;
    for (const auto& point :
         {centre, centre.translated((int) radius - 2, 0), centre.translated(0, (int) radius - 2),
          centre.translated(-(int) radius + 2, 0), centre.translated(0, -(int) radius + 2)})
        EXPECT_TRUE(Pixels::isInk(at(image, point.x, point.y))) << point.toString();
    for (const auto& corner :
         {tick.getTopLeft(), tick.getTopRight().translated(-1, 0), tick.getBottomLeft().translated(0, -1),
          tick.getBottomRight().translated(-1, -1)})
        EXPECT_FALSE(Pixels::isInk(at(image, corner.x, corner.y))) << corner.toString();

    const auto filled = (float) Pixels::count(image, tick, Pixels::isInk);
    EXPECT_NEAR(filled, juce::MathConstants<float>::pi * radius * radius, 0.1f * filled);
}
