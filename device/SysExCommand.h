#pragma once

#include <juce_core/juce_core.h>

// The command byte that follows the fixed frame of every System Exclusive message of the device.
enum class SysExCommand : juce::uint8
{
    handshake = 0x00,
    restoreFactory = 0x01,
    saveToDevice = 0x02,
    restoreDevice = 0x03,
    digitalReport = 0x05,
    digitalRequest = 0x06,
    analogReport = 0x07,
    analogRequest = 0x08,
    ledReport = 0x09,
    ledRequest = 0x0A,
    pingReply = 0x14,
    ping = 0x15,
    identityReply = 0x7D
};
