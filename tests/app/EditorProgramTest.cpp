// Pins the real program on a display: its window's title and size, the ports dialog over the panel at
// start, a clean exit when the window is asked to close, also while a file dialog is open, and a
// plain word when there is no display.
#include "support/ProgramOnVirtualDisplay.h"
#include "ui/Palette.h"

#include <gtest/gtest.h>

namespace
{
// Generous for the sanitizer builds; a healthy start takes well under a second.
constexpr int startTimeout = 60000;
constexpr int closeTimeout = 20000;

// The command line of the process that the given one started, such as the editor's file dialog.
juce::String childCommandOf(pid_t parent)
{
    for (const auto& process : juce::File("/proc").findChildFiles(juce::File::findDirectories, false))
    {
        const auto status = process.getChildFile("status").loadFileAsString();
        if (status.fromFirstOccurrenceOf("PPid:", false, false).trim().getIntValue() == parent)
        {
            // The arguments are separated by zero bytes.
            juce::MemoryBlock command;
            process.getChildFile("cmdline").loadFileAsData(command);
            for (auto& byte : command)
                byte = byte == 0 ? ' ' : byte;
            return command.toString();
        }
    }
    return {};
}

bool near(juce::Colour actual, juce::Colour expected)
{
    return std::abs(actual.getRed() - expected.getRed()) <= 2 &&
           std::abs(actual.getGreen() - expected.getGreen()) <= 2 &&
           std::abs(actual.getBlue() - expected.getBlue()) <= 2;
}
} // namespace

TEST(EditorProgram, ShowsItsWindowWithThePortsDialogAndQuitsCleanlyWhenClosed)
{
    ProgramOnVirtualDisplay editor(VEXLO_EDITOR_PATH, "VEXLO Editor", startTimeout);
    ASSERT_TRUE(editor.isShown()) << editor.getProblem().toStdString();

    EXPECT_EQ(editor.getWindowBounds().getWidth(), 1112);
    EXPECT_EQ(editor.getWindowBounds().getHeight(), 646);

    // The ports dialog, laid out over the 1112 x 622 main component below the 24-pixel menu bar: its
    // dark frame from (378, 113), its light box from (384, 119), and the veil over the dark margin.
    constexpr int menuBar = 24;
    const auto dialogShown = [](const juce::Image& image)
    {
        return image.isValid() && near(image.getPixelAt(380, menuBar + 115), Palette::darkGrey) &&
               near(image.getPixelAt(386, menuBar + 121), Palette::lightGrey) &&
               near(image.getPixelAt(2, menuBar + 2),
                    Palette::darkGrey.overlaidWith(Palette::lightGrey.withAlpha(0.7f)));
    };
    juce::Image image;
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) startTimeout;
    while (!dialogShown(image = editor.captureWindow()) && juce::Time::getMillisecondCounter() < end)
        juce::Thread::sleep(20);
    EXPECT_TRUE(dialogShown(image));

    int exitCode = -1;
    ASSERT_TRUE(editor.closeAndWaitForExit(closeTimeout, exitCode));
    EXPECT_EQ(exitCode, 0);
}

TEST(EditorProgram, ClosingWithAFileDialogOpenEndsTheDialogAndQuitsAtOnce)
{
    ProgramOnVirtualDisplay editor(VEXLO_EDITOR_PATH, "VEXLO Editor", startTimeout);
    ASSERT_TRUE(editor.isShown()) << editor.getProblem().toStdString();

    // Keys that the program's other X calls took off the connection wait there until something else
    // arrives, so the chord is pressed again each second, as a user would; while its dialog is open
    // the editor ignores a second Save As.
    const juce::String dialog = "Save file as...";
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) startTimeout;
    do
        editor.pressKeys({"Control_L", "Shift_L", "s"});
    while (!editor.waitUntilShown(dialog, true, 1000) && juce::Time::getMillisecondCounter() < end);
    ASSERT_TRUE(editor.waitUntilShown(dialog, true, 0));

    // It offers no file name of its own (JUCE would pass the starting folder's, "Documents").
    const auto command = childCommandOf(editor.getPid());
    EXPECT_TRUE(command.contains("--save")) << command;
    EXPECT_FALSE(command.contains("--filename")) << command;

    int exitCode = -1;
    ASSERT_TRUE(editor.closeAndWaitForExit(closeTimeout, exitCode));
    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(editor.waitUntilShown(dialog, false, closeTimeout));
}

TEST(EditorProgram, WithoutItsDisplaySaysSoAndFails)
{
    // Not with DISPLAY unset: JUCE then uses ":0", where another test's virtual display may be.
    juce::ChildProcess editor;
    ASSERT_TRUE(editor.start(juce::StringArray{"env", "DISPLAY=:65534", VEXLO_EDITOR_PATH}));
    const auto said = editor.readAllProcessOutput();
    ASSERT_TRUE(editor.waitForProcessToFinish(closeTimeout));
    EXPECT_NE(editor.getExitCode(), 0u);
    EXPECT_TRUE(said.contains("cannot open the display \":65534\"")) << said;
}
