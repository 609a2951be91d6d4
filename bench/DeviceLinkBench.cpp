// Measures the device link against the simulated device: (a) a full read unpaced, (b) a full read at
// the MIDI 1.0 wire rate against the wire time of its bytes, (c) a flood of controller messages
// through the hand-off to the message thread, (d) the hand-off's delay at 1,000 messages a second,
// (e) controller messages queued while the message thread is busy, at two counts, (f) how long a message
// that arrives while such a backlog is handed to a slow listener waits to be queued, at two counts.
#include "device/ConnectionState.h"
#include "device/MIDI.h"
#include "device/SysExCodec.h"
#include "support/SimulatedVEXLO.h"
#include "support/VirtualMIDIPorts.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <thread>

namespace juce
{
// JUCE's own step of the message loop. The editor's loop blocks in it until something is posted;
// the loop helpers of the tests poll instead, which would add up to a millisecond to every wait.
bool dispatchNextMessageOnSystemQueue(bool returnIfNoPendingMessages);
} // namespace juce

namespace
{
using Clock = std::chrono::steady_clock;
using Burst = SimulatedVEXLO::Burst;

static constexpr int reportsPerRead =
    SysExCodec::analogControls + SysExCodec::digitalControls + SysExCodec::ledControls;
static constexpr int floodSize = 100000;
static constexpr int steadyMessages = 2000;
static constexpr int steadyIntervalMicroseconds = 1000;
// MIDI 1.0: 31,250 bits a second, ten bits to a byte.
static constexpr double wireByteSeconds = 10.0 / 31250.0;
static constexpr int dataValues = 128;
// About what a listener that parses and shows a message spends on it.
static constexpr std::chrono::microseconds slowListenerWork{2};
static constexpr std::chrono::microseconds probeInterval{50};

void runLoopUntil(const std::function<bool()>& condition)
{
    while (!condition())
        juce::dispatchNextMessageOnSystemQueue(false);
}

double processCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return (double) now.tv_sec + (double) now.tv_nsec * 1e-9;
}

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The position k of a controller burst's message, which the simulated device encodes in channel,
// number and value.
int positionOf(int channel, int number, int value)
{
    return ((channel - 1) * dataValues + number) * dataValues + value;
}

void spinFor(Clock::duration duration)
{
    const auto end = Clock::now() + duration;
    while (Clock::now() < end)
        continue;
}

class BenchListener final : public MIDIListener
{
public:
    void connectionStateChanged(int) override {}
    void analogReceived(int, const AnalogData&) override { ++reports; }
    void digitalReceived(int, const DigitalData&) override { ++reports; }
    void ledReceived(int, const LEDData&) override { ++reports; }
    void controllerReceived(int channel, int number, int value) override
    {
        const auto position = positionOf(channel, number, value);
        inOrder = inOrder && position == controllers;
        if (!arrivals.empty() && position < (int) arrivals.size())
            arrivals[(size_t) position] = Clock::now();
        ++controllers;
        if (work > Clock::duration::zero())
            spinFor(work);
    }
    void noteOnReceived(int, int, int) override {}
    void noteOffReceived(int, int, int) override {}
    void pingReplyReceived() override {}

    int reports = 0;
    int controllers = 0;
    bool inOrder = true;
    std::vector<Clock::time_point> arrivals;
    Clock::duration work{};
};

struct Link
{
    Link() { midi.connect(0, 0); }

    std::shared_ptr<VirtualMIDIPorts> ports = std::make_shared<VirtualMIDIPorts>();
    SimulatedVEXLO device{*ports};
    BenchListener listener;
    MIDI midi{&listener, ports};
};

void fullRead(Link& link)
{
    link.listener.reports = 0;
    link.midi.connect(0, 0);
    link.midi.requestAll();
    runLoopUntil([&] { return link.listener.reports == reportsPerRead; });
}

// The bytes on the critical path of a full read: the handshake has to arrive before the identity
// reply and the 83 reports can follow it, back to back, on the device's cable.
int criticalPathBytes()
{
    int bytes = SysExCodec::buildMessage(SysExCommand::handshake).getRawDataSize() +
                SimulatedVEXLO::identityReply("VEXLO").getRawDataSize();
    for (int i = 0; i < SysExCodec::analogControls; ++i)
        bytes += SysExCodec::buildAnalogReport(i, {}).getRawDataSize();
    for (int i = 0; i < SysExCodec::digitalControls; ++i)
        bytes += SysExCodec::buildDigitalReport(i, {}).getRawDataSize();
    for (int i = 0; i < SysExCodec::ledControls; ++i)
        bytes += SysExCodec::buildLEDReport(i, {}).getRawDataSize();
    return bytes;
}

// (a) Connect, handshake, 83 requests and 83 reports parsed on the message thread, unpaced.
void fullReadUnpaced(benchmark::State& state)
{
    Link link;
    const auto cpuStart = processCpuSeconds();
    const auto start = Clock::now();
    for (auto _ : state)
        fullRead(link);
    const auto reports = (double) state.iterations() * reportsPerRead;
    state.counters["wall_us_per_report"] = secondsSince(start) * 1e6 / reports;
    state.counters["cpu_us_per_report"] = (processCpuSeconds() - cpuStart) * 1e6 / reports;
}
BENCHMARK(fullReadUnpaced)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

// (b) The same at the MIDI 1.0 wire rate, against the wire time of the bytes on its critical path.
void fullReadAtWireRate(benchmark::State& state)
{
    Link link;
    link.device.setWireRate(true);
    const auto wireSeconds = criticalPathBytes() * wireByteSeconds;
    const auto start = Clock::now();
    for (auto _ : state)
        fullRead(link);
    state.counters["wire_ms"] = wireSeconds * 1e3;
    state.counters["ratio_to_wire"] = secondsSince(start) / (double) state.iterations() / wireSeconds;
}
BENCHMARK(fullReadAtWireRate)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// (c) 100,000 controller messages sent as fast as the device's thread can, through to the listener.
void controllerFlood(benchmark::State& state)
{
    Link link;
    runLoopUntil([&] { return link.midi.getState() == ConnectionState::connected; });
    double seconds = 0.0;
    for (auto _ : state)
    {
        link.listener.controllers = 0;
        link.listener.inOrder = true;
        const auto start = Clock::now();
        link.device.sendBurst(Burst::controllers, floodSize);
        runLoopUntil([&] { return link.listener.controllers >= floodSize; });
        seconds += secondsSince(start);
        if (link.listener.controllers != floodSize || !link.listener.inOrder)
            state.SkipWithError("controller messages lost or out of order");
    }
    state.counters["messages_per_second"] = floodSize * (double) state.iterations() / seconds;
}
BENCHMARK(controllerFlood)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// (d) 1,000 controller messages a second: from the device thread's send to the listener's call.
void steadyLatency(benchmark::State& state)
{
    Link link;
    runLoopUntil([&] { return link.midi.getState() == ConnectionState::connected; });
    std::vector<Clock::time_point> sent((size_t) steadyMessages);
    link.device.setSendObserver(
        [&sent](const juce::MidiMessage& message)
        {
            if (!message.isController())
                return;
            const auto position =
                positionOf(message.getChannel(), message.getControllerNumber(), message.getControllerValue());
            if (position < steadyMessages)
                sent[(size_t) position] = Clock::now();
        });
    std::vector<double> delays;
    for (auto _ : state)
    {
        link.listener.controllers = 0;
        link.listener.arrivals.assign((size_t) steadyMessages, {});
        link.device.sendBurst(Burst::controllers, steadyMessages, steadyIntervalMicroseconds);
        runLoopUntil([&] { return link.listener.controllers >= steadyMessages; });
        for (size_t i = 0; i < sent.size(); ++i)
            delays.push_back(
                std::chrono::duration<double, std::milli>(link.listener.arrivals[i] - sent[i]).count());
    }
    link.device.setSendObserver(nullptr);
    std::sort(delays.begin(), delays.end());
    state.counters["median_ms"] = delays[delays.size() / 2];
    state.counters["p99_ms"] = delays[delays.size() * 99 / 100];
    state.counters["max_ms"] = delays.back();
}
BENCHMARK(steadyLatency)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// (e) N controller messages queued on a MIDI thread while the message thread does not run, then handed
// over in one walk. Only the queuing is timed; its time per message should not grow with N.
void stalledQueue(benchmark::State& state)
{
    const auto count = (int) state.range(0);
    Link link;
    runLoopUntil([&] { return link.midi.getState() == ConnectionState::connected; });
    std::vector<juce::MidiMessage> messages;
    for (int k = 0; k < count; ++k)
        messages.push_back(SimulatedVEXLO::burstMessage(Burst::controllers, k));
    double seconds = 0.0;
    for (auto _ : state)
    {
        link.listener.controllers = 0;
        link.listener.inOrder = true;
        double elapsed = 0.0;
        // This thread is the message thread: while it waits for the join, nothing is handed over.
        std::thread midiThread(
            [&]
            {
                const auto start = Clock::now();
                for (const auto& message : messages)
                    link.midi.handleIncomingMidiMessage(nullptr, message);
                elapsed = secondsSince(start);
            });
        midiThread.join();
        seconds += elapsed;
        state.SetIterationTime(elapsed);
        runLoopUntil([&] { return link.listener.controllers >= count; });
        if (link.listener.controllers != count || !link.listener.inOrder)
            state.SkipWithError("controller messages lost or out of order");
    }
    state.counters["ns_per_message"] = seconds * 1e9 / ((double) count * (double) state.iterations());
}
BENCHMARK(stalledQueue)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(5);

// Queues the burst's messages from `from` on, one every probeInterval, until told to stop, and keeps the
// longest time that queuing one took.
struct Probe
{
    void run(MIDI& midi, int from)
    {
        for (auto position = from; !stop; ++position)
        {
            const auto start = Clock::now();
            midi.handleIncomingMidiMessage(nullptr,
                                           SimulatedVEXLO::burstMessage(Burst::controllers, position));
            longestWait = std::max(longestWait, Clock::now() - start);
            ++sent;
            std::this_thread::sleep_for(probeInterval);
        }
    }

    std::atomic<bool> stop{false};
    int sent = 0;
    Clock::duration longestWait{};
};

// (f) A backlog of N controller messages handed to a listener that spends about two microseconds on each,
// while a MIDI thread keeps queuing more. Reports the longest that queuing one of those took; it should
// stay far below the walk's time and not grow with N. The time is that of the walk.
void waitDuringBacklog(benchmark::State& state)
{
    const auto count = (int) state.range(0);
    Link link;
    runLoopUntil([&] { return link.midi.getState() == ConnectionState::connected; });
    link.listener.work = slowListenerWork;
    Clock::duration longestWait{};
    for (auto _ : state)
    {
        link.listener.controllers = 0;
        link.listener.inOrder = true;
        std::thread(
            [&]
            {
                for (int k = 0; k < count; ++k)
                    link.midi.handleIncomingMidiMessage(nullptr,
                                                        SimulatedVEXLO::burstMessage(Burst::controllers, k));
            })
            .join();
        Probe probe;
        std::thread probeThread([&] { probe.run(link.midi, count); });
        const auto start = Clock::now();
        runLoopUntil([&] { return link.listener.controllers >= count; });
        state.SetIterationTime(secondsSince(start));
        probe.stop = true;
        probeThread.join();
        runLoopUntil([&] { return link.listener.controllers >= count + probe.sent; });
        longestWait = std::max(longestWait, probe.longestWait);
        if (link.listener.controllers != count + probe.sent || !link.listener.inOrder)
            state.SkipWithError("controller messages lost or out of order");
    }
    state.counters["longest_wait_ms"] = std::chrono::duration<double, std::milli>(longestWait).count();
}
BENCHMARK(waitDuringBacklog)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(5);
} // namespace

int main(int argc, char** argv)
{
    // The benchmarks run on JUCE's message thread, as the editor's own code does.
    juce::ScopedJuceInitialiser_GUI juce;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
