// Starts the editor on a virtual display, writes a PNG of its window, and closes it again.
// Usage: vexlo_snapshot <editor program> <output.png>
#include "support/ProgramOnVirtualDisplay.h"

#include <iostream>

int main(int argc, char* argv[])
{
    if (argc != 3)
    {
        std::cerr << "usage: vexlo_snapshot <editor program> <output.png>\n";
        return 2;
    }

    // Long enough for a first start on a busy machine; the window normally shows within a second.
    constexpr int startTimeout = 30000;
    // The editor draws its first frame just after the window is mapped.
    constexpr int settleTime = 1500;
    constexpr int closeTimeout = 10000;

    ProgramOnVirtualDisplay editor(
        juce::File::getCurrentWorkingDirectory().getChildFile(argv[1]).getFullPathName(), "VEXLO Editor",
        startTimeout);
    if (!editor.isShown())
    {
        std::cerr << "vexlo_snapshot: " << editor.getProblem() << "\n";
        return 1;
    }
    juce::Thread::sleep(settleTime);

    const auto output = juce::File::getCurrentWorkingDirectory().getChildFile(argv[2]);
    output.deleteFile();
    juce::FileOutputStream stream(output);
    juce::PNGImageFormat png;
    if (stream.failedToOpen() || !png.writeImageToStream(editor.captureWindow(), stream))
    {
        std::cerr << "vexlo_snapshot: cannot write " << output.getFullPathName() << "\n";
        return 1;
    }

    int exitCode = 0;
    if (!editor.closeAndWaitForExit(closeTimeout, exitCode) || exitCode != 0)
    {
        std::cerr << "vexlo_snapshot: the editor did not end cleanly\n";
        return 1;
    }
    std::cout << "Screenshot of the editor written to " << output.getFullPathName() << "\n";
    return 0;
}
