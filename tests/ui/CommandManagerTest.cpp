// Pins the one command manager: made on first use, the same object on every call, and released on
// request so that the application can delete it before JUCE shuts down.
#include "ui/CommandManager.h"

#include "support/CommandRecorder.h"

#include <gtest/gtest.h>

TEST(CommandManager, OneObjectUntilReleasedThenAFreshEmptyOne)
{
    releaseCommandManager();

    auto& first = getCommandManager();
    EXPECT_EQ(&getCommandManager(), &first);

    CommandRecorder recorder;
    first.registerAllCommandsForTarget(&recorder);
    EXPECT_EQ(first.getNumCommands(), 8);

    releaseCommandManager();
    EXPECT_EQ(getCommandManager().getNumCommands(), 0);

    releaseCommandManager();
    releaseCommandManager();
}
