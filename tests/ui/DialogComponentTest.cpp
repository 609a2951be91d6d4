// Pins the dialog: the veil over the whole area, the centred frame and box, the picture above the
// content, the content's place (negative when it is too large), and that the veil takes the clicks.
#include "ui/DialogComponent.h"

#include "support/Pixels.h"
#include "ui/Palette.h"

#include <gtest/gtest.h>

using Pixels::at;

TEST(DialogComponent, WithoutAPictureCentresFrameBoxAndContentOnTheVeil)
{
    juce::Component content;
    content.setSize(319, 395);
    DialogComponent dialog(&content);
    EXPECT_EQ(dialog.getWidth(), 0);
    dialog.setSize(1100, 600);
    EXPECT_EQ(content.getBounds(), juce::Rectangle<int>(390, 102, 319, 395));

    // Frame (378, 90, 343, 419), box (384, 96, 331, 407).
    const auto image = Pixels::snapshot(dialog);
    const auto veil = Palette::lightGrey.withAlpha(0.7f);
    for (const auto& [x, y] : {std::pair{0, 0}, {1099, 599}, {377, 90}, {378, 89}, {721, 508}, {720, 509}})
        EXPECT_TRUE(Pixels::near(at(image, x, y), veil)) << x << "," << y;
    for (const auto& [x, y] : {std::pair{378, 90}, {720, 508}, {383, 96}, {715, 502}, {714, 503}})
        EXPECT_EQ(at(image, x, y), Palette::darkGrey) << x << "," << y;
    for (const auto& [x, y] : {std::pair{384, 96}, {714, 502}, {550, 300}})
        EXPECT_EQ(at(image, x, y), Palette::lightGrey) << x << "," << y;
}

TEST(DialogComponent, APictureStandsAtTheTopOfTheBoxTenPixelsAboveTheContent)
{
    juce::Image picture(juce::Image::RGB, 331, 238, false);
    picture.clear(picture.getBounds(), Palette::greyBlue);
    juce::Component content;
    content.setSize(200, 100);
    DialogComponent dialog(picture, &content);
    dialog.setSize(1100, 600);

    // Box (378, 120, 343, 360); the picture at (384, 126), the content 248 lower.
    EXPECT_EQ(content.getBounds(), juce::Rectangle<int>(450, 374, 200, 100));
    const auto image = Pixels::snapshot(dialog);
    for (const auto& [x, y] : {std::pair{372, 114}, {721, 479}, {720, 480}})
        EXPECT_EQ(at(image, x, y), Palette::darkGrey) << x << "," << y;
    for (const auto& [x, y] :
         {std::pair{378, 120}, {720, 479}, {384, 125}, {383, 126}, {384, 364}, {715, 200}})
        EXPECT_EQ(at(image, x, y), Palette::lightGrey) << x << "," << y;
    EXPECT_EQ(at(image, 384, 126), Palette::greyBlue);
    EXPECT_EQ(at(image, 714, 363), Palette::greyBlue);
}

TEST(DialogComponent, OversizedContentIsPlacedWithTruncationTowardZeroAndTheVeilTakesClicks)
{
    juce::Component parent;
    parent.setBounds(0, 0, 100, 101);
    parent.setVisible(true);
    juce::TextButton beneath;
    beneath.setBounds(0, 0, 30, 30);
    parent.addAndMakeVisible(beneath);

    juce::Component content;
    content.setSize(103, 50);
    DialogComponent dialog(&content);
    parent.addAndMakeVisible(dialog);
    dialog.setBounds(parent.getLocalBounds());
    EXPECT_EQ(content.getBounds(), juce::Rectangle<int>(-1, 25, 103, 50));
    content.setSize(50, 107);
    dialog.setSize(100, 102);
    EXPECT_EQ(content.getBounds(), juce::Rectangle<int>(25, -2, 50, 107));

    content.setSize(20, 20);
    dialog.setSize(100, 101);
    EXPECT_EQ(parent.getComponentAt(5, 5), &dialog);
    dialog.setVisible(false);
    EXPECT_EQ(parent.getComponentAt(5, 5), &beneath);
}
