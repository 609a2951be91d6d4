#include "support/HeadlessWindow.h"

namespace
{
class HeadlessPeer : public juce::ComponentPeer
{
public:
    HeadlessPeer(juce::Component& owner, int styleFlags)
        : juce::ComponentPeer(owner, styleFlags), bounds(owner.getBounds())
    {
    }

    void* getNativeHandle() const override { return nullptr; }
    void setVisible(bool) override {}
    void setTitle(const juce::String&) override {}
    void setBounds(const juce::Rectangle<int>& newBounds, bool) override { bounds = newBounds; }
    juce::Rectangle<int> getBounds() const override { return bounds; }
    juce::Point<float> localToGlobal(juce::Point<float> position) override
    {
        return position + bounds.getPosition().toFloat();
    }
    juce::Point<float> globalToLocal(juce::Point<float> position) override
    {
        return position - bounds.getPosition().toFloat();
    }
    void setMinimised(bool) override {}
    bool isMinimised() const override { return false; }
    void setFullScreen(bool) override {}
    bool isFullScreen() const override { return false; }
    void setIcon(const juce::Image&) override {}
    bool contains(juce::Point<int> position, bool) const override
    {
        return bounds.withZeroOrigin().contains(position);
    }
    OptionalBorderSize getFrameSizeIfPresent() const override { return {}; }
    juce::BorderSize<int> getFrameSize() const override { return {}; }
    bool setAlwaysOnTop(bool) override { return false; }
    void toFront(bool) override {}
    void toBehind(juce::ComponentPeer*) override {}
    bool isFocused() const override { return focused; }
    void grabFocus() override {}
    void repaint(const juce::Rectangle<int>&) override {}
    void performAnyPendingRepaintsNow() override {}
    void setAlpha(float) override {}
    juce::StringArray getAvailableRenderingEngines() override { return {}; }
    void textInputRequired(juce::Point<int>, juce::TextInputTarget&) override {}

    bool focused = true;

private:
    juce::Rectangle<int> bounds;
};
} // namespace

juce::ComponentPeer* createHeadlessPeer(juce::Component& component, int styleFlags)
{
    return new HeadlessPeer(component, styleFlags);
}

HeadlessWindow::HeadlessWindow(int width, int height)
{
    setSize(width, height);
    setVisible(true);
    addToDesktop(0);
}

HeadlessWindow::~HeadlessWindow()
{
    removeFromDesktop();
}

juce::ComponentPeer* HeadlessWindow::createNewPeer(int styleFlags, void*)
{
    return createHeadlessPeer(*this, styleFlags);
}

void HeadlessWindow::click(juce::Point<int> position, juce::ModifierKeys button)
{
    auto* peer = getPeer();
    const auto source = juce::MouseInputSource::InputSourceType::mouse;
    const auto where = position.toFloat();
    const auto pressure = juce::MouseInputSource::defaultPressure;
    const auto orientation = juce::MouseInputSource::defaultOrientation;

    // Far apart in time, so that consecutive clicks are never taken for a double click.
    eventTime += 10000;
    peer->handleMouseEvent(source, where, button, pressure, orientation, eventTime);
    peer->handleMouseEvent(source, where, juce::ModifierKeys(), pressure, orientation, eventTime + 1);
}

void HeadlessWindow::setActive(bool active)
{
    auto* peer = static_cast<HeadlessPeer*>(getPeer());
    peer->focused = active;
    if (active)
        peer->handleFocusGain();
    else
        peer->handleFocusLoss();
}

bool HeadlessWindow::pressKey(const juce::KeyPress& key)
{
    return getPeer()->handleKeyPress(key);
}
