#include "support/DeviceTestFixture.h"

#include "device/SysExCodec.h"
#include "support/MessageLoop.h"

#include <algorithm>

namespace
{
int indexOf(const juce::Array<juce::MidiDeviceInfo>& devices, const juce::String& identifier)
{
    for (int i = 0; i < devices.size(); ++i)
        if (devices[i].identifier == identifier)
            return i;
    return -1;
}
} // namespace

int DeviceTestFixture::inputIndexOf(const SimulatedVEXLO& peer) const
{
    return indexOf(ports->getInputDevices(), peer.getInputIdentifier());
}

int DeviceTestFixture::outputIndexOf(const SimulatedVEXLO& peer) const
{
    return indexOf(ports->getOutputDevices(), peer.getOutputIdentifier());
}

bool DeviceTestFixture::connectToDevice()
{
    const auto from = listener.events.size();
    return midi.connect(inputIndexOf(device), outputIndexOf(device)) && pumpUntilHeard("state 2", from);
}

bool DeviceTestFixture::pumpUntilHeard(const std::string& event, size_t from)
{
    return MessageLoop::pumpUntil(
        [&]
        {
            return listener.events.size() > from &&
                   std::find(listener.events.begin() + (long) from, listener.events.end(), event) !=
                       listener.events.end();
        },
        timeout);
}

void DeviceTestFixture::flush()
{
    auto done = std::make_shared<bool>(false);
    juce::MessageManager::callAsync([done] { *done = true; });
    ASSERT_TRUE(MessageLoop::pumpUntil([done] { return *done; }, timeout));
}

std::vector<std::string> DeviceTestFixture::heardSince(size_t from) const
{
    std::vector<std::string> heard;
    for (auto i = from; i < listener.events.size(); ++i)
        if (listener.events[i].rfind("state ", 0) != 0)
            heard.push_back(listener.events[i]);
    return heard;
}

std::vector<std::string> DeviceTestFixture::burstLines(SimulatedVEXLO::Burst kind, int from, int count)
{
    RecordingMIDIListener expected;
    for (int k = from; k < from + count; ++k)
        SysExCodec::deliver(SimulatedVEXLO::burstMessage(kind, k), expected);
    return expected.events;
}
