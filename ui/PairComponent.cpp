#include "ui/PairComponent.h"

namespace
{
constexpr int gap = 2;
}

PairComponent::PairComponent(juce::Component* left, juce::Component* right) : first(left), second(right)
{
    jassert(first != nullptr && second != nullptr);
    addAndMakeVisible(first);
    addAndMakeVisible(second);
    setSize(first->getWidth() + second->getWidth() + gap,
            juce::jmax(first->getHeight(), second->getHeight()));
}

void PairComponent::resized()
{
    first->setBounds(0, 0, first->getWidth(), first->getHeight());
    second->setBounds(first->getWidth() + gap, 0, second->getWidth(), second->getHeight());
}
