#pragma once

#include "model/Model.h"
#include "support/FormDriver.h"
#include "support/ModelEventLog.h"
#include "support/ScopedCustomLookAndFeel.h"
#include "ui/SelectionBox.h"

#include <gtest/gtest.h>

// A settings form on screen beside a model whose owner logs every notification, with its widgets
// found by component name.
template <typename Editor> class FormTest : public testing::Test
{
protected:
    juce::TextEditor& field(const char* name) { return *FormDriver::find<juce::TextEditor>(editor, name); }
    SelectionBox& box(const char* name = "") { return *FormDriver::find<SelectionBox>(editor, name); }
    juce::String title() { return dynamic_cast<juce::Label*>(editor.getChildComponent(0))->getText(); }

    ScopedCustomLookAndFeel lookAndFeel;
    ModelEventLog log;
    Model model{&log};
    Editor editor;
    FormDriver driver{editor};
};
