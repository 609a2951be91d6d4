// Measures Open's part of the work, Model::loadFromFile with its guard, on an ordinary configuration,
// on the largest one that loads, and on hostile texts of just under the loader's size limit, each
// shaped to make JUCE's parser work hardest: references in attribute values or in text, long values,
// many elements, many distinct element or attribute names, comments and CDATA sections, and an
// unclosed end tag deep down. The largest loading document and the "AtLimits" shapes stay within
// every limit of the guard, so the parser reads them whole. Last, files full of names of their own
// opened one after another in one process, timed one by one, as the first and the last of them.
#include "model/Model.h"
#include "model/XmlTextGuard.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <limits>
#include <vector>

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

// Documents of as many elements as the guard allows, each with eight attributes, every element and
// attribute name unique across all the documents. Each name starts with random letters, so that the
// names of one document fall among those of the documents before it in JUCE's sorted pool.
std::vector<juce::String> distinctlyNamedDocuments(int count)
{
    constexpr int attributesPerElement = 8;
    constexpr int letters = 4;
    juce::Random random(1);
    int serial = 0;

    const auto nextName = [&]
    {
        juce::String name;
        for (int i = 0; i < letters; ++i)
            name << juce::String::charToString((juce::juce_wchar)('a' + random.nextInt(26)));
        for (int i = 0, n = serial++; i < letters; ++i, n /= 26)
            name << juce::String::charToString((juce::juce_wchar)('a' + n % 26));
        return name;
    };

    std::vector<juce::String> documents;

    for (int d = 0; d < count; ++d)
    {
        juce::MemoryOutputStream out;
        out << "<r>";
        for (int e = 1; e < XmlTextGuard::maxElements; ++e)
        {
            out << "\n  <" << nextName();
            for (int a = 0; a < attributesPerElement; ++a)
                out << " " << nextName() << "=\"\"";
            out << "/>";
        }
        out << "\n</r>";
        documents.push_back(out.toString());
    }

    return documents;
}

void load(benchmark::State& state, const juce::String& text)
{
    bool loaded = false;

    for (auto _ : state)
    {
        Model model(nullptr);
        loaded = model.loadFromFile(text);
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
void distinctNamesFileAfterFile(benchmark::State& state)
{
    const auto documents = distinctlyNamedDocuments(12);
    std::vector<double> seconds(documents.size());

    for (auto _ : state)
    {
        for (size_t i = 0; i < documents.size(); ++i)
        {
            const auto start = std::chrono::steady_clock::now();
            Model model(nullptr);
            benchmark::DoNotOptimize(model.loadFromFile(documents[i]));
            seconds[i] += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        }
    }

    const auto milliseconds = [&](double total) { return total * 1000.0 / (double) state.iterations(); };
    state.counters["files"] = (double) documents.size();
    state.counters["kB"] = (double) documents.front().getNumBytesAsUTF8() / 1024.0;
    state.counters["parsed"] = XmlTextGuard::isSafeToParse(documents.back()) ? 1.0 : 0.0;
    state.counters["first_ms"] = milliseconds(seconds.front());
    state.counters["last_ms"] = milliseconds(seconds.back());
    state.counters["last/first"] = seconds.back() / seconds.front();
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
BENCHMARK(distinctNamesFileAfterFile)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
