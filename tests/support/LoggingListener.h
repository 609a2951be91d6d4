#pragma once

#include "model/ModelListener.h"
#include "support/ModelEventLog.h"

#include <string>
#include <utility>

// A record listener that writes its label into a shared event log each time it is told of a change.
class LoggingListener : public ModelListener
{
public:
    LoggingListener(ModelEventLog& logToUse, std::string labelToUse)
        : log(logToUse), label(std::move(labelToUse))
    {
    }

    void modelChanged() override { log.add(label); }

private:
    ModelEventLog& log;
    std::string label;
};
