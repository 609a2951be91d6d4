#include "app/MainWindow.h"

#include "app/MainComponent.h"
#include "ui/CommandManager.h"

namespace
{
const juce::String windowTitle = "VEXLO Editor";
// The title bar holds only the minimise and close buttons: the window has one size.
constexpr int windowButtons = juce::DocumentWindow::minimiseButton | juce::DocumentWindow::closeButton;
// The client area is the main component's preferred height plus this; the menu bar takes its top.
constexpr int extraHeight = 20;
// Zero asks the look and feel for its default menu bar height.
constexpr int defaultMenuBarHeight = 0;
} // namespace

MainWindow::MainWindow() : juce::DocumentWindow(windowTitle, juce::Colours::black, windowButtons, true)
{
    mainComponent = std::make_unique<MainComponent>();
    setContentNonOwned(mainComponent.get(), false);
    setBounds(0, 0, mainComponent->getPreferredWidth(), mainComponent->getPreferredHeight() + extraHeight);
    setResizable(false, false);
    setUsingNativeTitleBar(true);
    centreWithSize(getWidth(), getHeight());

    auto& commandManager = getCommandManager();
    commandManager.registerAllCommandsForTarget(mainComponent.get());
    commandManager.setFirstCommandTarget(mainComponent.get());
    addKeyListener(commandManager.getKeyMappings());
    mainComponent->setApplicationCommandManagerToWatch(&commandManager);
    setMenuBar(mainComponent.get(), defaultMenuBarHeight);
}

MainWindow::~MainWindow()
{
    // The menu bar and the command manager refer to the main component: detach both before it goes.
    setMenuBar(nullptr);
    auto& commandManager = getCommandManager();
    removeKeyListener(commandManager.getKeyMappings());
    commandManager.setFirstCommandTarget(nullptr);
    clearContentComponent();
    mainComponent.reset();
}

void MainWindow::show()
{
    setVisible(true);
}

void MainWindow::hide()
{
    setVisible(false);
}

bool MainWindow::canClose() const
{
    return true;
}

void MainWindow::resized()
{
    // The document window's constructor lays itself out before the main component exists.
    if (mainComponent != nullptr)
        mainComponent->setBounds(0, 0, getWidth(), getHeight());
    juce::DocumentWindow::resized();
}

void MainWindow::closeButtonPressed()
{
    juce::JUCEApplication::getInstance()->systemRequestedQuit();
}
