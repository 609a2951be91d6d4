// Pins the editor's look by painting JUCE's widgets through it: button faces, field and combo box
// outlines, the combo box arrow, plain menu backgrounds, the circle tick, one typeface and one font.
#include "support/HeadlessWindow.h"
#include "support/Pixels.h"
#include "support/ScopedCustomLookAndFeel.h"
#include "ui/EditorFont.h"
#include "ui/Palette.h"
#include "ui/TextEditor.h"

#include <gtest/gtest.h>

using Pixels::at;

namespace
{
// A combo box that is a window of its own: the only place where JUCE lets a disabled component keep
// the keyboard focus.
class DesktopComboBox : public juce::ComboBox
{
    juce::ComponentPeer* createNewPeer(int styleFlags, void*) override
    {
        return createHeadlessPeer(*this, styleFlags);
    }
};

juce::Image drawText(const juce::String& text, juce::Colour background, juce::Rectangle<int> image,
                     juce::Rectangle<int> area)
{
    return Pixels::draw(image.getWidth(), image.getHeight(),
                        [&](juce::Graphics& g)
                        {
                            g.fillAll(background);
                            g.setFont(getEditorFont());
                            g.drawText(text, area, juce::Justification::centred, false);
                        });
}
} // namespace

class CustomLookAndFeelTest : public testing::Test
{
protected:
    ScopedCustomLookAndFeel lookAndFeel;
};

TEST_F(CustomLookAndFeelTest, EveryFontRequestGetsTheEmbeddedTypefaceAndWidgetsTheEditorFont)
{
    auto& laf = lookAndFeel.get();
    const auto embedded = laf.getTypefaceForFont(getEditorFont());
    ASSERT_NE(embedded, nullptr);
    EXPECT_EQ(embedded->getName(), "VEXLO Sans");
    // Asked directly, and as widgets and painting code ask: through JUCE's cache and the default look.
    for (const auto& font :
         {juce::Font(), juce::Font("Times New Roman", 30.0f, juce::Font::bold | juce::Font::italic)})
    {
        EXPECT_EQ(laf.getTypefaceForFont(font), embedded);
        EXPECT_EQ(font.getTypefacePtr(), embedded);
    }

    juce::MenuBarComponent menuBar;
    juce::ComboBox box;
    box.setSize(300, 60);
    juce::Label label({}, "MIDI CHANNEL");
    for (const auto& font : {laf.getPopupMenuFont(), laf.getMenuBarFont(menuBar, 1, "Device"),
                             laf.getComboBoxFont(box), laf.getLabelFont(label)})
        EXPECT_EQ(font, getEditorFont());

    // A label's own font does not change how it is drawn.
    label.setBounds(0, 0, 120, 40);
    const auto plain = Pixels::snapshot(label);
    label.setFont(juce::Font("Times New Roman", 30.0f, juce::Font::italic));
    EXPECT_TRUE(Pixels::same(Pixels::snapshot(label), plain));
    EXPECT_NEAR(Pixels::bounds(plain, Pixels::isInk).getHeight(), 7, 1);
}

TEST_F(CustomLookAndFeelTest, AHeldDownButtonHasAGreenFaceAndNothingElseChangesItsLook)
{
    juce::TextButton button;
    button.setButtonText("OPEN");
    button.setBounds(0, 0, 91, 30);

    const auto normal = Pixels::snapshot(button);
    EXPECT_EQ(at(normal, 10, 5), Palette::lightGrey);
    EXPECT_TRUE(Pixels::near(at(normal, 0, 15), Palette::darkGrey)); // outline
    EXPECT_EQ(at(normal, 89, 15), Palette::darkGrey);                // shadow, right and below
    EXPECT_EQ(at(normal, 45, 28), Palette::darkGrey);
    EXPECT_EQ(at(normal, 90, 15).getAlpha(), 0);

    // Black text in the editor font, centred in (0, 1, 89, 28), wherever the button is.
    const juce::Rectangle<int> face(4, 4, 80, 20);
    const auto text = Pixels::bounds(normal, face, Pixels::isBlack);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_EQ(text, Pixels::bounds(drawText("OPEN", Palette::lightGrey, {91, 30}, {0, 1, 89, 28}), face,
                                   Pixels::isBlack));

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

    EXPECT_EQ(edge(), Palette::white);
    EXPECT_EQ(at(Pixels::snapshot(field), 1, 10), Palette::midGrey); // no bevel inside
    field.grabKeyboardFocus();
    ASSERT_TRUE(field.hasKeyboardFocus(true));
    EXPECT_EQ(edge(), Palette::green);
    field.setReadOnly(true);
    EXPECT_EQ(edge(), Palette::white);
    field.setReadOnly(false);
    field.setEnabled(false);
    EXPECT_EQ(edge(), Palette::midGrey);
}

TEST_F(CustomLookAndFeelTest, ComboBoxArrowIsHalfPinkAndTheOutlineGreenOnlyWhileItselfFocusedAndEnabled)
{
    HeadlessWindow window(200, 100);
    juce::ComboBox box;
    box.setBounds(10, 10, 100, 20);
    box.setColour(juce::ComboBox::outlineColourId, Palette::midGrey); // visible, unlike the white default
    window.addAndMakeVisible(box);

    // JUCE puts the button area at (84, 0, 16, 20); the arrow's middle is near (92, 9).
    auto image = Pixels::snapshot(box);
    EXPECT_TRUE(Pixels::near(at(image, 92, 9), Palette::white.overlaidWith(Palette::pink.withAlpha(0.5f))));
    EXPECT_TRUE(Pixels::near(at(image, 92, 14), Palette::white));
    EXPECT_EQ(at(image, 0, 10), Palette::midGrey);
    EXPECT_EQ(at(image, 50, 10), Palette::white);
    const auto held = Pixels::draw(100, 20,
                                   [&](juce::Graphics& g)
                                   { lookAndFeel.get().drawComboBox(g, 100, 20, true, 84, 0, 16, 20, box); });
    EXPECT_EQ(at(held, 92, 9), Palette::pink);

    box.grabKeyboardFocus();
    EXPECT_EQ(at(Pixels::snapshot(box), 0, 10), Palette::green);
    juce::Component child;
    child.setWantsKeyboardFocus(true);
    box.addAndMakeVisible(child);
    child.grabKeyboardFocus();
    ASSERT_TRUE(box.hasKeyboardFocus(true));
    EXPECT_EQ(at(Pixels::snapshot(box), 0, 10), Palette::midGrey);
    box.removeChildComponent(&child);

    DesktopComboBox disabled;
    disabled.setSize(100, 20);
    disabled.setColour(juce::ComboBox::outlineColourId, Palette::midGrey);
    disabled.setColour(juce::ComboBox::buttonColourId, Palette::black); // shows the button's opacity
    disabled.setVisible(true);
    disabled.addToDesktop(0);
    disabled.setEnabled(false);
    disabled.grabKeyboardFocus();
    ASSERT_TRUE(disabled.hasKeyboardFocus(false));
    image = Pixels::snapshot(disabled);
    EXPECT_EQ(at(image, 0, 10), Palette::midGrey);
    const auto halfBlack = Palette::white.overlaidWith(Palette::black.withAlpha(0.5f));
    EXPECT_TRUE(Pixels::near(at(image, 86, 3), halfBlack));
    EXPECT_TRUE(Pixels::near(at(image, 92, 9), halfBlack)); // no arrow
}

TEST_F(CustomLookAndFeelTest, MenusHaveAPlainLightGreyBackgroundAndACircleAsTick)
{
    auto& laf = lookAndFeel.get();
    juce::MenuBarComponent menuBar;
    menuBar.setColour(juce::PopupMenu::backgroundColourId,
                      juce::Colours::red); // the look's own colour counts
    const auto plainLightGrey = [](const std::function<void(juce::Graphics&)>& drawing)
    {
        const auto image = Pixels::draw(120, 30, drawing);
        return Pixels::count(image, image.getBounds(),
                             [](juce::Colour c) { return c == Palette::lightGrey; }) == 3600;
    };
    EXPECT_TRUE(plainLightGrey([&](juce::Graphics& g) { laf.drawPopupMenuBackground(g, 120, 30); }));
    EXPECT_TRUE(
        plainLightGrey([&](juce::Graphics& g)
                       { laf.drawPopupMenuBackgroundWithOptions(g, 120, 30, juce::PopupMenu::Options()); }));
    for (const auto mouseOver : {false, true})
        EXPECT_TRUE(plainLightGrey([&](juce::Graphics& g)
                                   { laf.drawMenuBarBackground(g, 120, 30, mouseOver, menuBar); }));

    const auto image = Pixels::draw(200, 40,
                                    [&](juce::Graphics& g) {
                                        laf.drawPopupMenuItem(g, {0, 0, 200, 40}, false, true, false, true,
                                                              false, "", "", nullptr, nullptr);
                                    });
    const auto tick = Pixels::bounds(image, Pixels::isInk);
    ASSERT_FALSE(tick.isEmpty());
    EXPECT_NEAR(tick.getWidth(), tick.getHeight(), 1);
    const auto c = tick.getCentre();
    const auto r = tick.getHeight() / 2 - 2;
    for (const auto& inside :
         {c, c.translated(r, 0), c.translated(0, r), c.translated(-r, 0), c.translated(0, -r)})
        EXPECT_TRUE(Pixels::isInk(at(image, inside.x, inside.y))) << inside.toString();
    for (const auto& corner : {tick.getTopLeft(), tick.getBottomRight().translated(-1, -1)})
        EXPECT_FALSE(Pixels::isInk(at(image, corner.x, corner.y))) << corner.toString();
}
