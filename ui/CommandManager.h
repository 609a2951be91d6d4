#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The application's one command manager, made on first use.
juce::ApplicationCommandManager& getCommandManager();

// True when the command manager maps the key to a command, active or not; makes no manager.
bool isCommandKey(const juce::KeyPress& key);

// Deletes the command manager. The application calls this at its very end, after its window and
// before JUCE shuts down: a command manager deleted later would bring JUCE's desktop back to life.
// A later getCommandManager makes a new, empty one.
void releaseCommandManager();
