// Pins the records' initial values, the setter rule (owner before listener, only on a real change),
// begin/end update batching, listener replacement, the record indexes and the two finders.
#include "model/Model.h"

#include "support/LoggingListener.h"
#include "support/ModelEventLog.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using Events = std::vector<std::string>;

TEST(ModelTest, NewRecordsHoldTheInitialValues)
{
    Model model(nullptr);
    const auto* analog = model.getAnalog(34);
    const auto* digital = model.getDigital(23);
    const auto* led = model.getLED(23);

    EXPECT_TRUE(analog->isEnabled() && digital->isEnabled() && led->isEnabled());
    EXPECT_FALSE(analog->isInverted() || digital->isToggle() || led->isAbleton());
    EXPECT_EQ(std::vector<int>({analog->getMode(), analog->getChannel(), analog->getNumber(),
                                analog->getMin(), analog->getMax(), digital->getMode(), digital->getChannel(),
                                digital->getNumber(), digital->getOn(), digital->getOff(), led->getMode(),
                                led->getChannel(), led->getNumber()}),
              std::vector<int>({0, 1, 1, 0, 127, 0, 1, 1, 0, 127, 0, 1, 1}));
}

TEST(ModelTest, EverySetterNotifiesItsRecordOnceOwnerFirstAndOnlyOnAChange)
{
    ModelEventLog log;
    Model model(&log);
    LoggingListener listener(log, "listener");
    auto* a = model.getAnalog(7);
    auto* d = model.getDigital(11);
    auto* l = model.getLED(5);
    a->setListener(&listener);
    d->setListener(&listener);
    l->setListener(&listener);

    // Each setter takes a value derived from v, so that v = 1 and v = 0 both differ from the start.
    const std::vector<std::pair<std::string, std::function<void(int)>>> setters{
        {"analog 7", [&](int v) { a->setEnabled(v == 0); }},
        {"analog 7", [&](int v) { a->setMode(v); }},
        {"analog 7", [&](int v) { a->setChannel(v + 2); }},
        {"analog 7", [&](int v) { a->setNumber(v + 2); }},
        {"analog 7", [&](int v) { a->setMin(v + 2); }},
        {"analog 7", [&](int v) { a->setMax(v + 2); }},
        {"analog 7", [&](int v) { a->setInverted(v != 0); }},
        {"digital 11", [&](int v) { d->setEnabled(v == 0); }},
        {"digital 11", [&](int v) { d->setToggle(v != 0); }},
        {"digital 11", [&](int v) { d->setMode(v); }},
        {"digital 11", [&](int v) { d->setChannel(v + 2); }},
        {"digital 11", [&](int v) { d->setNumber(v + 2); }},
        {"digital 11", [&](int v) { d->setOn(v + 2); }},
        {"digital 11", [&](int v) { d->setOff(v + 2); }},
        {"led 5", [&](int v) { l->setEnabled(v == 0); }},
        {"led 5", [&](int v) { l->setAbleton(v != 0); }},
        {"led 5", [&](int v) { l->setMode(v); }},
        {"led 5", [&](int v) { l->setChannel(v + 2); }},
        {"led 5", [&](int v) { l->setNumber(v + 2); }},
    };
    const auto held = [&](const std::function<void()>& body)
    {
        a->beginUpdate();
        d->beginUpdate();
        l->beginUpdate();
        body();
        a->endUpdate();
        d->endUpdate();
        l->endUpdate();
    };

    for (const auto& [expected, set] : setters)
    {
        SCOPED_TRACE(expected);
        log.events.clear();
        set(1);
        set(1);
        EXPECT_EQ(log.events, (Events{expected, "listener"}));

        // The current value calls nobody while held either; a new one notifies at endUpdate.
        log.events.clear();
        held([&] { set(1); });
        EXPECT_TRUE(log.events.empty());
        held([&] { set(0); });
        EXPECT_EQ(log.events, (Events{expected, "listener"}));
    }

    // Both parties already read the stored value.
    std::vector<int> seen;
    log.onEvent = [&](const std::string&) { seen.push_back(a->getChannel()); };
    a->setChannel(5);
    EXPECT_EQ(seen, (std::vector<int>{5, 5}));
}

TEST(ModelTest, EveryRecordReportsItsOwnIndex)
{
    ModelEventLog log;
    Model model(&log);
    Events expected;

    for (int i = 0; i < Model::numAnalogs; ++i)
    {
        model.getAnalog(i)->setNumber(99);
        expected.push_back("analog " + std::to_string(i));
    }

    for (int i = 0; i < Model::numDigitals; ++i)
    {
        model.getDigital(i)->setNumber(99);
        model.getLED(i)->setNumber(99);
        expected.push_back("digital " + std::to_string(i));
        expected.push_back("led " + std::to_string(i));
    }

    EXPECT_EQ(log.events, expected);
}

TEST(ModelTest, UpdateBatchesChangesIntoOneNotification)
{
    ModelEventLog log;
    Model model(&log);
    LoggingListener listener(log, "listener");
    auto* digital = model.getDigital(0);
    digital->setListener(&listener);

    digital->beginUpdate();
    digital->setChannel(2);
    digital->setNumber(7);
    EXPECT_TRUE(log.events.empty());
    digital->endUpdate();
    EXPECT_EQ(log.events, (Events{"digital 0", "listener"}));

    // A change that is taken back still counts as a change.
    log.events.clear();
    auto* analog = model.getAnalog(1);
    analog->beginUpdate();
    analog->setMin(5);
    analog->setMin(0);
    analog->endUpdate();
    EXPECT_EQ(log.events, (Events{"analog 1"}));

    // Not counted: one endUpdate frees the record after two beginUpdates, a further one tells nothing.
    analog->beginUpdate();
    analog->beginUpdate();
    analog->setMax(100);
    analog->endUpdate();
    analog->setMax(90);
    analog->endUpdate();
    EXPECT_EQ(log.events, (Events{"analog 1", "analog 1", "analog 1"}));

    // The record is free again before it notifies, so a setter called from there notifies at once.
    log.events.clear();
    auto* led = model.getLED(2);
    log.onEvent = [&](const std::string&) { led->setNumber(50); };
    led->beginUpdate();
    led->setChannel(9);
    led->endUpdate();
    EXPECT_EQ(log.events, (Events{"led 2", "led 2"}));
}

TEST(ModelTest, MissingPartiesAreSkippedAndListenersReplaced)
{
    ModelEventLog log;
    LoggingListener first(log, "first");
    LoggingListener second(log, "second");

    Model owned(&log);
    owned.getAnalog(0)->setChannel(4);
    EXPECT_EQ(log.events, (Events{"analog 0"}));

    log.events.clear();
    Model ownerless(nullptr);
    auto* digital = ownerless.getDigital(3);
    digital->setListener(&first);
    digital->setOff(0);
    digital->setListener(&second);
    digital->setOff(1);
    digital->setListener(nullptr);
    digital->setOff(2);
    EXPECT_EQ(log.events, (Events{"first", "second"}));
}

TEST(ModelTest, FindersReturnTheLowestMatchingIndex)
{
    Model model(nullptr);
    EXPECT_EQ(model.findAnalog(1, 0, 1), 0);
    EXPECT_EQ(model.findAnalog(2, 1, 60), -1);

    for (const int i : {9, 4})
    {
        model.getAnalog(i)->setChannel(2);
        model.getAnalog(i)->setMode(1);
        model.getAnalog(i)->setNumber(60);
    }

    // Neither the enabled flag nor the range nor invert is looked at.
    model.getAnalog(4)->setEnabled(false);
    model.getAnalog(4)->setInverted(true);
    model.getAnalog(4)->setMin(30);
    EXPECT_EQ(model.findAnalog(2, 1, 60), 4);
    EXPECT_EQ(model.findAnalog(2, 0, 60), -1);

    // Buttons compare the on value only.
    EXPECT_EQ(model.findDigital(1, 0, 1, 0), 0);
    EXPECT_EQ(model.findDigital(1, 0, 1, 127), -1);

    auto* button = model.getDigital(23);
    button->setChannel(10);
    button->setMode(1);
    button->setNumber(36);
    button->setOn(100);
    button->setEnabled(false);
    EXPECT_EQ(model.findDigital(10, 1, 36, 100), 23);
    EXPECT_EQ(model.findDigital(10, 1, 35, 100), -1);
}
