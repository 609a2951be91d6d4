#include "support/RecordingMIDIListener.h"

#include <algorithm>
#include <utility>

namespace
{
std::string join(std::initializer_list<int> values)
{
    std::string text;
    for (auto value : values)
        text += " " + std::to_string(value);
    return text;
}
} // namespace

std::string RecordingMIDIListener::describe(int index, const AnalogData& d)
{
    return "analog" +
           join({index, d.enabled, d.channel, d.controllerMode, d.number, d.min, d.max, d.inverted});
}

std::string RecordingMIDIListener::describe(int index, const DigitalData& d)
{
    return "digital" + join({index, d.enabled, d.channel, d.controllerMode, d.toggle, d.number, d.on, d.off});
}

std::string RecordingMIDIListener::describe(int index, const LEDData& d)
{
    return "led" + join({index, d.enabled, d.channel, d.controllerMode, d.ableton, d.number});
}

void RecordingMIDIListener::connectionStateChanged(int state)
{
    events.push_back("state" + join({state}));
}

void RecordingMIDIListener::analogReceived(int index, const AnalogData& data)
{
    events.push_back(describe(index, data));
}

void RecordingMIDIListener::digitalReceived(int index, const DigitalData& data)
{
    events.push_back(describe(index, data));
}

void RecordingMIDIListener::ledReceived(int index, const LEDData& data)
{
    events.push_back(describe(index, data));
}

void RecordingMIDIListener::controllerReceived(int channel, int number, int value)
{
    events.push_back("cc" + join({channel, number, value}));
    if (onNextController)
        std::exchange(onNextController, nullptr)();
}

void RecordingMIDIListener::noteOnReceived(int channel, int note, int velocity)
{
    events.push_back("on" + join({channel, note, velocity}));
}

void RecordingMIDIListener::noteOffReceived(int channel, int note, int velocity)
{
    events.push_back("off" + join({channel, note, velocity}));
}

void RecordingMIDIListener::pingReplyReceived()
{
    events.push_back("ping");
}

int RecordingMIDIListener::count(const std::string& word) const
{
    return (int) std::count_if(events.begin(), events.end(),
                               [&](const std::string& event) {
                                   return event.compare(0, word.size() + 1, word + " ") == 0 || event == word;
                               });
}
