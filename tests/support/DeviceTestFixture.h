#pragma once

#include "device/MIDI.h"
#include "support/RecordingMIDIListener.h"
#include "support/SimulatedVEXLO.h"
#include "support/VirtualMIDIPorts.h"

#include <gtest/gtest.h>

// A device link wired to a simulated VEXLO through virtual ports, with a recording listener, and the
// waits that tests of the hand-off between threads need.
class DeviceTestFixture : public testing::Test
{
protected:
    // Long enough for the slowest sanitizer build; a passing test never waits this long.
    static constexpr int timeout = 60000;

    int inputIndexOf(const SimulatedVEXLO& peer) const;
    int outputIndexOf(const SimulatedVEXLO& peer) const;

    // Connects to the device and runs the loop until state 2 has been reported.
    bool connectToDevice();
    // Runs the loop until the listener has heard this line at position `from` or later.
    bool pumpUntilHeard(const std::string& event, size_t from = 0);
    // Runs the loop until everything posted before this call has been dispatched.
    void flush();
    // The lines heard from position `from` on, state reports left out.
    std::vector<std::string> heardSince(size_t from) const;
    // The lines that a burst's messages `from` .. `from + count - 1` give.
    static std::vector<std::string> burstLines(SimulatedVEXLO::Burst kind, int from, int count);

    std::shared_ptr<VirtualMIDIPorts> ports = std::make_shared<VirtualMIDIPorts>();
    SimulatedVEXLO device{*ports};
    RecordingMIDIListener listener;
    MIDI midi{&listener, ports};
};
