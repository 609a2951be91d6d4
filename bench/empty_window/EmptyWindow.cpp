// The yardstick of the start-up benchmark: an empty JUCE window of the editor's size, built with the
// same JUCE library and flags, that quits when its window is closed.
#include <juce_gui_basics/juce_gui_basics.h>

namespace
{
class EmptyWindow : public juce::DocumentWindow
{
public:
    EmptyWindow()
        : juce::DocumentWindow("Empty JUCE Window", juce::Colours::black,
                               juce::DocumentWindow::minimiseButton | juce::DocumentWindow::closeButton, true)
    {
        setUsingNativeTitleBar(true);
        centreWithSize(1112, 646);
    }

    void closeButtonPressed() override { juce::JUCEApplication::getInstance()->systemRequestedQuit(); }
};

class EmptyApplication : public juce::JUCEApplication
{
public:
    const juce::String getApplicationName() override { return "Empty JUCE Window"; }
    const juce::String getApplicationVersion() override { return "1"; }
    void initialise(const juce::String&) override
    {
        window = std::make_unique<EmptyWindow>();
        window->setVisible(true);
    }
    void shutdown() override { window.reset(); }

private:
    std::unique_ptr<EmptyWindow> window;
};

juce::JUCEApplicationBase* createApplication()
{
    return new EmptyApplication();
}
} // namespace

int main(int argc, char* argv[])
{
    juce::JUCEApplicationBase::createInstance = &createApplication;
    return juce::JUCEApplicationBase::main(argc, (const char**) argv);
}
