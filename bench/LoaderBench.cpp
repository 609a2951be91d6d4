// Measures Open's part of the work, Model::loadFromFile with its guard, on an ordinary configuration,
// on the largest one that loads, and on hostile texts of just under the loader's size limit, each
// shaped to make JUCE's parser work hardest: references in attribute values or in text, long values,
// many elements, many distinct element or attribute names, comments and CDATA sections, and an
// unclosed end tag deep down. The largest loading document and the "AtLimits" shapes stay within
// every limit of the guard, so the parser reads them whole.
#include "model/Model.h"
#include "model/XmlTextGuard.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <limits>

namespace
{
using Piece = std::function<void(juce::MemoryOutputStream&, int)>;

// Repeats a piece between an opening and a closing text for as long as the whole stays within the
// size limit, at most a given number of times. Built in a stream: appending to a juce::String copies
// it each time.
juce::String filled(const juce::String& open, const Piece& piece, const juce::String& close,
                    int pieces = std::numeric_limits<int>::max())
{
    juce::MemoryOutputStream out;
    out << open;

    for (int i = 0; i < pieces; ++i)
    {
        juce::MemoryOutputStream next;
        piece(next, i);

        if (out.getDataSize() + next.getDataSize() + close.getNumBytesAsUTF8() >
            (size_t) XmlTextGuard::maxBytes)
            break;

        out << next;
    }

    out << close;
    return out.toString();
}

Piece repeated(const juce::String& text)
{
    return [text](juce::MemoryOutputStream& out, int) { out << text; };
}

// A value of the longest length the guard lets through, of references and the text between them.
juce::String valueOfReferences()
{
    const juce::String piece("abc&lt;");
    return juce::String::repeatedString(piece, XmlTextGuard::maxValueBytes / piece.length());
}

// Names of the given length sharing all but their last six characters, each sorting before the ones
// already made, so that each is compared along its whole length and lands at the front of JUCE's pool.
juce::String descendingName(int i, int length)
{
    constexpr int digits = 6;
    return juce::String::repeatedString("n", juce::jmax(1, length - digits)) +
           juce::String(999999 - i).paddedLeft('0', digits);
}

Piece elementNames(int length)
{
    return [length](juce::MemoryOutputStream& out, int i)
    { out << "<" << descendingName(i, length) << "/>"; };
}

Piece attributeNames(int length)
{
    return [length](juce::MemoryOutputStream& out, int i)
    {
        out << "<e";
        for (int a = 0; a < XmlTextGuard::maxAttributes; ++a)
            out << " " << descendingName(i * XmlTextGuard::maxAttributes + a, length) << "=\"\"";
        out << "/>";
    };
}

// JUCE pools element and attribute names for the whole process and keeps them until it collects the
// pool; collecting after each load makes every load pool its names afresh, as a first Open does.
void load(benchmark::State& state, const juce::String& text)
{
    bool loaded = false;

    for (auto _ : state)
    {
        Model model(nullptr);
        loaded = model.loadFromFile(text);
        state.PauseTiming();
        juce::StringPool::getGlobalPool().garbageCollect();
        state.ResumeTiming();
    }

    state.counters["kB"] = (double) text.getNumBytesAsUTF8() / 1024.0;
    state.counters["parsed"] = XmlTextGuard::isSafeToParse(text) ? 1.0 : 0.0;
    state.counters["loaded"] = loaded ? 1.0 : 0.0;
}

void ordinaryDocument(benchmark::State& state)
{
    load(state, Model(nullptr).createXml().replace("name=\"\"", "name=\"Knob &amp; &quot;fader&quot; \""));
}

void largestLoadingDocument(benchmark::State& state)
{
    load(state, Model(nullptr).createXml().replace("name=\"\"", "name=\"" + valueOfReferences() + "\""));
}

void referencesInOneValue(benchmark::State& state)
{
    load(state, filled("<r a=\"", repeated("abc&lt;"), "\"/>"));
}

void referencesInValuesAtLimits(benchmark::State& state)
{
    load(state, filled("<r>", repeated("<e a=\"" + valueOfReferences() + "\"/>"), "</r>"));
}

void oneLongValue(benchmark::State& state)
{
    load(state, filled("<r a=\"", repeated("abcdefgh"), "\"/>"));
}

void referencesInText(benchmark::State& state)
{
    load(state, filled("<r>", repeated("abc&lt;"), "</r>"));
}

void manyElements(benchmark::State& state)
{
    load(state, filled("<r>", repeated("<a/>"), "</r>"));
}

void manyElementNames(benchmark::State& state)
{
    load(state, filled("<r>", elementNames(8), "</r>"));
}

void elementNamesAtLimits(benchmark::State& state)
{
    const auto length = XmlTextGuard::maxBytes / XmlTextGuard::maxElements - 4;
    load(state, filled("<r>", elementNames(length), "</r>", XmlTextGuard::maxElements - 1));
}

void manyAttributeNames(benchmark::State& state)
{
    load(state, filled("<r>", attributeNames(8), "</r>"));
}

void attributeNamesAtLimits(benchmark::State& state)
{
    const auto length = XmlTextGuard::maxBytes / XmlTextGuard::maxDocumentAttributes - 5;
    load(state, filled("<r>", attributeNames(length), "</r>",
                       XmlTextGuard::maxDocumentAttributes / XmlTextGuard::maxAttributes));
}

void deepComments(benchmark::State& state)
{
    const auto levels = XmlTextGuard::maxDepth;
    load(state, filled(juce::String::repeatedString("<a>", levels), repeated("<!-- c -->"),
                       juce::String::repeatedString("</a>", levels)));
}

void deepUnclosedEndTag(benchmark::State& state)
{
    load(state, filled(juce::String::repeatedString("<a>", XmlTextGuard::maxDepth) + "</",
                       repeated("<!-- c --"), {}));
}

void manyCDATASections(benchmark::State& state)
{
    load(state, filled("<r>", repeated("<![CDATA[]]>"), "</r>"));
}
} // namespace

BENCHMARK(ordinaryDocument)->Unit(benchmark::kMillisecond);
BENCHMARK(largestLoadingDocument)->Unit(benchmark::kMillisecond);
BENCHMARK(referencesInOneValue)->Unit(benchmark::kMillisecond);
BENCHMARK(referencesInValuesAtLimits)->Unit(benchmark::kMillisecond);
BENCHMARK(oneLongValue)->Unit(benchmark::kMillisecond);
BENCHMARK(referencesInText)->Unit(benchmark::kMillisecond);
BENCHMARK(manyElements)->Unit(benchmark::kMillisecond);
BENCHMARK(manyElementNames)->Unit(benchmark::kMillisecond);
BENCHMARK(elementNamesAtLimits)->Unit(benchmark::kMillisecond);
BENCHMARK(manyAttributeNames)->Unit(benchmark::kMillisecond);
BENCHMARK(attributeNamesAtLimits)->Unit(benchmark::kMillisecond);
BENCHMARK(deepComments)->Unit(benchmark::kMillisecond);
BENCHMARK(deepUnclosedEndTag)->Unit(benchmark::kMillisecond);
BENCHMARK(manyCDATASections)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
