#pragma once

#include "model/ModelOwner.h"

#include <functional>
#include <string>
#include <vector>

// A model owner that records every notification in order ("analog 3", "digital 0", "led 5"); the
// record listeners of LoggingListener write into the same log, so the order between the two shows.
class ModelEventLog : public ModelOwner
{
public:
    void analogChanged(int index) override { add("analog " + std::to_string(index)); }
    void digitalChanged(int index) override { add("digital " + std::to_string(index)); }
    void ledChanged(int index) override { add("led " + std::to_string(index)); }

    void add(const std::string& event)
    {
        events.push_back(event);

        if (onEvent)
            onEvent(event);
    }

    std::vector<std::string> events;

    // Runs inside each notification, so that tests can look at the model from there.
    std::function<void(const std::string&)> onEvent;
};
