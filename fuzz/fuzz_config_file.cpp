// Feeds arbitrary bytes to the configuration loader, read as the Open command reads a file. A refused
// text must leave the model as it was, a loaded one must come back whole through the written
// document, and whatever the guard lets through must parse no deeper than the guard's limit.
#include "app/TextDecoding.h"
#include "model/Model.h"
#include "model/XmlTextGuard.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace
{
// Elements plus one level for a text or self-closed child at the bottom.
constexpr int deepestTree = XmlTextGuard::maxDepth + 1;

int nesting(const juce::XmlElement& element)
{
    int deepest = 0;

    for (const auto* child : element.getChildIterator())
        deepest = juce::jmax(deepest, nesting(*child));

    return deepest + 1;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    juce::String text;
    if (!TextDecoding::decode(data, size, text))
        return 0;

    if (XmlTextGuard::isSafeToParse(text))
        if (const auto root = juce::XmlDocument::parse(text))
            if (nesting(*root) > deepestTree)
                std::abort();

    static const auto untouched = Model(nullptr).createXml();
    Model model(nullptr);

    if (!model.loadFromFile(text))
    {
        if (model.createXml() != untouched)
            std::abort();

        return 0;
    }

    const auto written = model.createXml();
    Model copy(nullptr);

    if (!copy.loadFromFile(written) || copy.createXml() != written)
        std::abort();

    return 0;
}
