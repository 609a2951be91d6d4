#include "device/MIDIComponent.h"

namespace
{
// The boxes are as wide as 29 question marks: room for a typical port name in the editor font.
const juce::String boxWidthSample = juce::String::repeatedString("?", 29);
constexpr int boxPadding = 8;
constexpr int rowPadding = 8;
constexpr int labelGap = 4;
constexpr int topMargin = 4;
constexpr int buttonRowTop = 20; // added to the two rows: 12 pixels below the second
constexpr int buttonWidth = 95;
constexpr int buttonHeight = 30;
constexpr int buttonStep = 99;      // button width plus a 4-pixel gap
constexpr int buttonRowWidth = 194; // both buttons with their gap
constexpr int sideMargins = 24;
constexpr int heightAroundRows = 62;
} // namespace

MIDIComponent::MIDIComponent(MIDIComponentListener* listenerToUse) : listener(listenerToUse)
{
    inputLabel.setText("MIDI INPUT", juce::dontSendNotification);
    outputLabel.setText("MIDI OUTPUT", juce::dontSendNotification);
    inputLabel.attachToComponent(&inputBox, true);
    outputLabel.attachToComponent(&outputBox, true);

    connectButton.setButtonText("CONNECT");
    refreshButton.setButtonText("REFRESH");
    connectButton.addListener(this);
    refreshButton.addListener(this);

    addAndMakeVisible(inputLabel);
    addAndMakeVisible(outputLabel);
    addAndMakeVisible(inputBox);
    addAndMakeVisible(outputBox);
    addAndMakeVisible(connectButton);
    addAndMakeVisible(refreshButton);

    resized();
    setSize(preferredWidth, preferredHeight);
}

MIDIComponent::~MIDIComponent() = default;

void MIDIComponent::setPorts(const juce::StringArray& inputs, const juce::StringArray& outputs,
                             int inputIndex, int outputIndex)
{
    inputBox.clear(juce::sendNotificationAsync);
    outputBox.clear(juce::sendNotificationAsync);
    inputBox.addItemList(inputs, 1);
    outputBox.addItemList(outputs, 1);
    inputBox.setSelectedItemIndex(inputIndex, juce::sendNotificationAsync);
    outputBox.setSelectedItemIndex(outputIndex, juce::sendNotificationAsync);
}

void MIDIComponent::buttonClicked(juce::Button* button)
{
    if (button == &refreshButton)
        listener->refreshRequested();
    else if (button == &connectButton)
        listener->connectRequested(inputBox.getSelectedItemIndex(), outputBox.getSelectedItemIndex());
}

void MIDIComponent::resized()
{
    const auto font = juce::LookAndFeel::getDefaultLookAndFeel().getLabelFont(inputLabel);
    const int boxWidth = font.getStringWidth(boxWidthSample) + boxPadding;
    const int rowHeight = (int) (font.getHeight() + (float) rowPadding);
    const int labelWidth =
        juce::jmax(font.getStringWidth(inputLabel.getText()), font.getStringWidth(outputLabel.getText()));
    const int total = labelWidth + labelGap + boxWidth;
    const int x0 = (getWidth() - total) / 2;
    const int boxX = x0 + labelWidth + labelGap;

    inputLabel.setBounds(x0, topMargin, labelWidth, rowHeight);
    inputBox.setBounds(boxX, topMargin, boxWidth, rowHeight);
    outputLabel.setBounds(x0, rowHeight + rowPadding, labelWidth, rowHeight);
    outputBox.setBounds(boxX, rowHeight + rowPadding, boxWidth, rowHeight);

    const int buttonY = 2 * rowHeight + buttonRowTop;
    const int refreshX = (getWidth() - buttonRowWidth) / 2;
    refreshButton.setBounds(refreshX, buttonY, buttonWidth, buttonHeight);
    connectButton.setBounds(refreshX + buttonStep, buttonY, buttonWidth, buttonHeight);

    preferredWidth = total + sideMargins;
    preferredHeight = 2 * rowHeight + heightAroundRows;
}
