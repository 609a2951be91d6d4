#pragma once

// Told by the port panel when the user asks to read the port lists again or to connect a pair.
class MIDIComponentListener
{
public:
    virtual ~MIDIComponentListener() {}

    virtual void refreshRequested() = 0;

    // Each index is the position in its list, or -1 when nothing is selected there.
    virtual void connectRequested(int inputIndex, int outputIndex) = 0;
};
