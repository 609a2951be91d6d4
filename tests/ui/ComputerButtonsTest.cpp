// Pins the file button bar: the buttons' places at the lower panel's width and at a narrower one, and
// the command each button invokes, asynchronously, through the command manager.
#include "ui/ComputerButtons.h"

#include "app/CommandIDs.h"
#include "support/ButtonBarTest.h"

namespace
{
const ExpectedBar expected = {{"OPEN", {0, 0, 91, 30}, {0, 0, 91, 30}, CommandIDs::open},
                              {"SAVE", {0, 35, 91, 30}, {0, 35, 91, 30}, CommandIDs::save},
                              {"SAVE AS", {97, 35, 91, 30}, {59, 35, 91, 30}, CommandIDs::saveAs},
                              {"ABOUT", {97, 0, 91, 30}, {59, 0, 91, 30}, CommandIDs::about}};
} // namespace

using ComputerButtonsTest = ButtonBarTest<ComputerButtons>;

TEST_F(ComputerButtonsTest, TwoRowsOfTwoWithTheRightColumnAtTheRightEdge)
{
    expectButtons(expected, 188, 150);
}

TEST_F(ComputerButtonsTest, EachButtonInvokesItsCommandOnlyWhileTheCommandIsActive)
{
    expectEachButtonInvokesItsCommandLater(expected);
    expectInactiveCommandsPerformNothing(expected);
}
