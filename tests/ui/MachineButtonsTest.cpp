// Pins the device button bar: the buttons' places at the lower panel's width and at a narrower one, and
// the command each button invokes (not in the commands' numeric order), only while it is active.
#include "ui/MachineButtons.h"

#include "app/CommandIDs.h"
#include "support/ButtonBarTest.h"

namespace
{
const ExpectedBar expected = {
    {"DISCONNECT VEXLO", {0, 35, 140, 30}, {0, 35, 140, 30}, CommandIDs::disconnect},
    {"LOAD FROM VEXLO", {0, 0, 140, 30}, {0, 0, 140, 30}, CommandIDs::restoreDevice},
    {"SAVE TO VEXLO", {148, 0, 140, 30}, {60, 0, 140, 30}, CommandIDs::saveToDevice},
    {"RESET TO DEFAULT", {148, 35, 140, 30}, {60, 35, 140, 30}, CommandIDs::restoreToFactory}};
} // namespace

using MachineButtonsTest = ButtonBarTest<MachineButtons>;

TEST_F(MachineButtonsTest, TwoRowsOfTwoWithTheRightColumnAtTheRightEdge)
{
    expectButtons(expected, 288, 200);
}

TEST_F(MachineButtonsTest, EachButtonInvokesItsCommandOnlyWhileTheCommandIsActive)
{
    expectEachButtonInvokesItsCommandLater(expected);
    expectInactiveCommandsPerformNothing(expected);
}
