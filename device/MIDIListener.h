#pragma once

#include "device/AnalogData.h"
#include "device/DigitalData.h"
#include "device/LEDData.h"

// Hears what the device link receives. Every call comes on the message thread; channels are 1..16
// as the device sends them, indexes and values are passed on exactly as received.
class MIDIListener
{
public:
    virtual ~MIDIListener() {}

    virtual void connectionStateChanged(int state) = 0;
    virtual void analogReceived(int index, const AnalogData& data) = 0;
    virtual void digitalReceived(int index, const DigitalData& data) = 0;
    virtual void ledReceived(int index, const LEDData& data) = 0;
    virtual void controllerReceived(int channel, int number, int value) = 0;
    virtual void noteOnReceived(int channel, int note, int velocity) = 0;
    virtual void noteOffReceived(int channel, int note, int velocity) = 0;
    virtual void pingReplyReceived() = 0;
};
