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

TEST(ModelTest, NewModelHoldsInitialValues)
{
    Model model(nullptr);

    for (int i = 0; i < Model::numAnalogs; ++i)
    {
        const auto* analog = model.getAnalog(i);
        EXPECT_TRUE(analog->isEnabled());
        EXPECT_EQ(analog->getMode(), 0);
        EXPECT_EQ(analog->getChannel(), 1);
        EXPECT_EQ(analog->getNumber(), 1);
        EXPECT_EQ(analog->getMin(), 0);
        EXPECT_EQ(analog->getMax(), 127);
        EXPECT_FALSE(analog->isInverted());
    }

    for (int i = 0; i < Model::numDigitals; ++i)
    {
        const auto* digital = model.getDigital(i);
        EXPECT_TRUE(digital->isEnabled());
        EXPECT_EQ(digital->getMode(), 0);
        EXPECT_EQ(digital->getChannel(), 1);
        EXPECT_EQ(digital->getNumber(), 1);
        EXPECT_EQ(digital->getOn(), 0);
        EXPECT_EQ(digital->getOff(), 127);
        EXPECT_FALSE(digital->isToggle());

        const auto* led = model.getLED(i);
        EXPECT_TRUE(led->isEnabled());
        EXPECT_EQ(led->getMode(), 0);
        EXPECT_EQ(led->getChannel(), 1);
        EXPECT_EQ(led->getNumber(), 1);
        EXPECT_FALSE(led->isAbleton());
    }

    EXPECT_EQ(model.getAnalog(34)->getChannel(), 1);
    EXPECT_EQ(model.getAnalog(34), model.getAnalog(34));
}

TEST(ModelTest, SetterTellsOwnerThenListenerWithTheNewValueStored)
{
    ModelEventLog log;
    Model model(&log);
    LoggingListener listener(log, "listener");
    auto* analog = model.getAnalog(3);
    analog->setListener(&listener);

    std::vector<int> seen;
    log.onEvent = [&](const std::string&) { seen.push_back(analog->getChannel()); };

    analog->setChannel(5);

    EXPECT_EQ(log.events, (Events{"analog 3", "listener"}));
    EXPECT_EQ(seen, (std::vector<int>{5, 5}));
}

TEST(ModelTest, EverySetterNotifiesItsKindAndIndexOnceAndOnlyOnAChange)
{
    ModelEventLog log;
    Model model(&log);
    LoggingListener listener(log, "listener");

    struct Case
    {
        std::string expected;
        std::function<void(int)> set;
    };

    // Each setter is called with a value derived from the step, so the first call changes the field
    // and the second repeats it.
    auto* a = model.getAnalog(7);
    auto* d = model.getDigital(11);
    auto* l = model.getLED(5);
    a->setListener(&listener);
    d->setListener(&listener);
    l->setListener(&listener);

    const std::vector<Case> cases{
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

    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.expected);

        for (const bool held : {false, true})
        {
            log.events.clear();
            c.set(1);
            c.set(1);
            EXPECT_EQ(log.events, (Events{c.expected, "listener"}));

            // Setting the current value calls nobody in either update state.
            log.events.clear();
            a->beginUpdate();
            d->beginUpdate();
            l->beginUpdate();
            c.set(1);
            a->endUpdate();
            d->endUpdate();
            l->endUpdate();
            EXPECT_TRUE(log.events.empty());

            log.events.clear();
            if (held)
            {
                a->beginUpdate();
                d->beginUpdate();
                l->beginUpdate();
            }
            c.set(0);
            a->endUpdate();
            d->endUpdate();
            l->endUpdate();
            EXPECT_EQ(log.events, (Events{c.expected, "listener"}));
        }
    }
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
    EXPECT_EQ(digital->getChannel(), 2);
    EXPECT_EQ(digital->getNumber(), 7);

    // Values that all repeat the current ones notify nobody.
    log.events.clear();
    digital->beginUpdate();
    digital->setChannel(2);
    digital->setNumber(7);
    digital->setOn(0);
    digital->endUpdate();
    EXPECT_TRUE(log.events.empty());

    // A change that is taken back still counts as a change.
    auto* analog = model.getAnalog(1);
    analog->beginUpdate();
    analog->setMin(5);
    analog->setMin(0);
    analog->endUpdate();
    EXPECT_EQ(log.events, (Events{"analog 1"}));

    // The update is not counted: one endUpdate frees the record after two beginUpdates, and a
    // further endUpdate has nothing to tell.
    log.events.clear();
    analog->beginUpdate();
    analog->beginUpdate();
    analog->setMax(100);
    analog->endUpdate();
    EXPECT_EQ(log.events, (Events{"analog 1"}));
    analog->setMax(90);
    EXPECT_EQ(log.events, (Events{"analog 1", "analog 1"}));
    analog->endUpdate();
    EXPECT_EQ(log.events.size(), 2u);
}

TEST(ModelTest, SetterCalledFromAnEndUpdateNotificationNotifiesAtOnce)
{
    ModelEventLog log;
    Model model(&log);
    auto* led = model.getLED(2);

    log.onEvent = [&](const std::string&) { led->setNumber(50); };
    led->beginUpdate();
    led->setChannel(9);
    led->endUpdate();

    EXPECT_EQ(log.events, (Events{"led 2", "led 2"}));
    EXPECT_EQ(led->getNumber(), 50);
}

TEST(ModelTest, MissingPartiesAreSkippedAndListenersReplaced)
{
    ModelEventLog log;
    LoggingListener first(log, "first");
    LoggingListener second(log, "second");

    // No listener: only the owner hears.
    Model owned(&log);
    owned.getAnalog(0)->setChannel(4);
    EXPECT_EQ(log.events, (Events{"analog 0"}));

    // No owner: only the listener hears.
    log.events.clear();
    Model ownerless(nullptr);
    auto* digital = ownerless.getDigital(3);
    digital->setListener(&first);
    digital->setOff(0);
    EXPECT_EQ(log.events, (Events{"first"}));

    // A new listener replaces the old one; none silences the record.
    log.events.clear();
    digital->setListener(&second);
    digital->setOff(1);
    digital->setListener(nullptr);
    digital->setOff(2);
    EXPECT_EQ(log.events, (Events{"second"}));
}

TEST(ModelTest, ButtonSettersNeverReachTheLEDNotification)
{
    ModelEventLog log;
    Model model(&log);
    auto* digital = model.getDigital(5);

    digital->setEnabled(false);
    digital->setToggle(true);
    digital->setMode(1);
    digital->setChannel(3);
    digital->setNumber(3);
    digital->setOn(3);
    digital->setOff(3);

    EXPECT_EQ(log.events, Events(7, "digital 5"));
}

TEST(ModelTest, FindersReturnTheLowestMatchingIndex)
{
    Model model(nullptr);

    EXPECT_EQ(model.findAnalog(1, 0, 1), 0);
    EXPECT_EQ(model.findAnalog(2, 1, 60), -1);

    for (const int i : {9, 4})
    {
        auto* analog = model.getAnalog(i);
        analog->setChannel(2);
        analog->setMode(1);
        analog->setNumber(60);
    }

    EXPECT_EQ(model.findAnalog(2, 1, 60), 4);
    EXPECT_EQ(model.findAnalog(2, 0, 60), -1);
    EXPECT_EQ(model.findAnalog(2, 1, 61), -1);

    // Neither the enabled flag nor the range nor invert is looked at.
    auto* four = model.getAnalog(4);
    four->setEnabled(false);
    four->setMin(30);
    four->setMax(10);
    four->setInverted(true);
    EXPECT_EQ(model.findAnalog(2, 1, 60), 4);

    auto* last = model.getAnalog(34);
    last->setChannel(16);
    last->setNumber(127);
    EXPECT_EQ(model.findAnalog(16, 0, 127), 34);

    // Only the on value is compared for buttons.
    EXPECT_EQ(model.findDigital(1, 0, 1, 0), 0);
    EXPECT_EQ(model.findDigital(1, 0, 1, 127), -1);

    auto* button = model.getDigital(23);
    button->setChannel(10);
    button->setMode(1);
    button->setNumber(36);
    button->setOn(100);
    button->setOff(5);
    button->setToggle(true);
    button->setEnabled(false);
    EXPECT_EQ(model.findDigital(10, 1, 36, 100), 23);
    EXPECT_EQ(model.findDigital(10, 1, 36, 5), -1);
    EXPECT_EQ(model.findDigital(10, 0, 36, 100), -1);
}
