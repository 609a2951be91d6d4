// Pins the dialog: the veil over the whole area, the centred frame and box, the picture above the
// content, the content's place (negative when it is too large), and that the veil takes the clicks.
#include "ui/DialogComponent.h"

#include "support/Pixels.h"
#include "ui/Palette.h"

#include <gtest/gtest.h>

using Pixels::at;

namespace
{
const auto veil = Palette::lightGrey.withAlpha(0.7f);
}

TEST(DialogComponent, WithoutAPictureCentresFrameBoxAndContentOnTheVeil)
{
    juce::Component content;
    content.setSize(319, 395);
    DialogComponent dialog(&content);
    EXPECT_EQ(dialog.getWidth(), 0);
    EXPECT_EQ(content.getParentComponent(), &dialog);
    EXPECT_TRUE(content.isVisible());

    dialog.setSize(1100, 600);
    EXPECT_EQ(content.getBounds(), juce::Rectangle<int>(390, 102, 319, 395));

    // Frame (378, 90, 343, 419), box (384, 96, 331, 407).
    const auto image = Pixels::snapshot(dialog);
    EXPECT_TRUE(Pixels::near(at(image, 0, 0), veil));
    EXPECT_TRUE(Pixels::near(at(image, 1099, 599), veil));
    EXPECT_TRUE(Pixels::near(at(image, 377, 90), veil));
    EXPECT_TRUE(Pixels::near(at(image, 378, 89), veil));
    EXPECT_EQ(at(image, 378, 90), Palette::darkGrey);
    EXPECT_EQ(at(image, 720, 508), Palette::darkGrey);
    EXPECT_TRUE(Pixels::near(at(image, 721, 508), veil));
    EXPECT_TRUE(Pixels::near(at(image, 720, 509), veil));
    EXPECT_EQ(at(image, 383, 96), Palette::darkGrey);
    EXPECT_EQ(at(image, 384, 96), Palette::lightGrey);
    EXPECT_EQ(at(image, 714, 502), Palette::lightGrey);
    EXPECT_EQ(at(image, 715, 502), Palette::darkGrey);
    EXPECT_EQ(at(image, 714, 503), Palette::darkGrey);
}

TEST(DialogComponent, APictureStandsAtTheTopOfTheBoxTenPixelsAboveTheContent)
{
    juce::Image picture(juce::Image::RGB, 331, 238, false);
    picture.clear(picture.getBounds(), Palette::greyBlue);
    juce::Component content;
    content.setSize(200, 100);
    DialogComponent dialog(picture, &content);
    dialog.setSize(1100, 600);

    // Box width 331 from x 384; picture, gap and content 348 high from y 126.
    EXPECT_EQ(content.getBounds(), juce::Rectangle<int>(450, 374, 200, 100));

    const auto image = Pixels::snapshot(dialog);
    EXPECT_EQ(at(image, 372, 114), Palette::darkGrey);
    EXPECT_EQ(at(image, 378, 120), Palette::lightGrey);
    EXPECT_EQ(at(image, 720, 479), Palette::lightGrey);
    EXPECT_EQ(at(image, 721, 479), Palette::darkGrey);
    EXPECT_EQ(at(image, 720, 480), Palette::darkGrey);
    EXPECT_EQ(at(image, 384, 126), Palette::greyBlue);
    EXPECT_EQ(at(image, 714, 363), Palette::greyBlue);
    EXPECT_EQ(at(image, 384, 125), Palette::lightGrey);
    EXPECT_EQ(at(image, 383, 126), Palette::lightGrey);
    EXPECT_EQ(at(image, 384, 364), Palette::lightGrey);
    EXPECT_EQ(at(image, 715, 200), Palette::lightGrey);
}

TEST(DialogComponent, ContentLargerThanTheDialogGetsCoordinatesTruncatedTowardZero)
{
    juce::Component content;
    content.setSize(103, 50);
    DialogComponent dialog(&content);
    dialog.setSize(100, 100);
    EXPECT_EQ(content.getBounds(), juce::Rectangle<int>(-1, 25, 103, 50));

    content.setSize(100, 107);
    dialog.setSize(100, 101);
    EXPECT_EQ(content.getBounds(), juce::Rectangle<int>(0, -3, 100, 107));
}

TEST(DialogComponent, TheVeilKeepsClicksFromWhatLiesBeneath)
{
    juce::Component parent;
    parent.setSize(400, 300);
    parent.setVisible(true);
    juce::TextButton beneath;
    beneath.setBounds(10, 10, 100, 30);
    parent.addAndMakeVisible(beneath);

    juce::Component content;
    content.setSize(50, 50);
    DialogComponent dialog(&content);
    dialog.setBounds(parent.getLocalBounds());
    parent.addAndMakeVisible(dialog);

    EXPECT_EQ(parent.getComponentAt(20, 20), &dialog);
    EXPECT_EQ(parent.getComponentAt(200, 150), &content);

    dialog.setVisible(false);
    EXPECT_EQ(parent.getComponentAt(20, 20), &beneath);
}
