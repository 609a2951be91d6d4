#include "ui/ControlInfo.h"

ControlInfo::ControlInfo(int id_, int next_, int type_, const juce::String& name_,
                         juce::Rectangle<int> imageRegion_)
    : ControlInfo(id_, next_, type_, name_, imageRegion_, {})
{
}

ControlInfo::ControlInfo(int id_, int next_, int type_, const juce::String& name_,
                         juce::Rectangle<int> imageRegion_, juce::Rectangle<int> position_)
    : id(id_), next(next_), type(type_), name(name_), imageRegion(imageRegion_), position(position_)
{
}

bool ControlInfo::contains(juce::Point<int> p) const
{
    return imageRegion.getX() <= p.x && p.x < imageRegion.getRight() && imageRegion.getY() <= p.y &&
           p.y < imageRegion.getBottom();
}
