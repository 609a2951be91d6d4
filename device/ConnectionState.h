#pragma once

// The state of the device link, as MIDI::getState returns it and MIDIListener hears it.
namespace ConnectionState
{
inline constexpr int disconnected = 0;
// Both ports open and started, handshake sent, identity reply awaited.
inline constexpr int waitingForHandshake = 1;
inline constexpr int connected = 2;
} // namespace ConnectionState
