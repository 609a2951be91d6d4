#pragma once

#include <juce_core/juce_core.h>

// Decides whether juce::XmlDocument may be given a text. Its parser recurses once per nesting level,
// and on some malformed text it loops for ever or rescans the rest of the text again and again. The
// guard follows the parser's own reading rules without recursion, and refuses the text before the
// parser sees it when it is too long, nests too deeply, gives one element too many attributes, or
// leads the parser into anything it would complain about or could not finish: a document type
// declaration (whose entities expand without bound), an unknown or malformed character reference, an
// unclosed comment, processing instruction, CDATA section or quoted value, or the end of the text
// before the root element is closed. A configuration document passes easily: it is two levels deep,
// its elements carry nine attributes, and it is about ten kilobytes long.
namespace XmlTextGuard
{
constexpr int maxBytes = 1 << 20;
constexpr int maxDepth = 32;
constexpr int maxAttributes = 64;

bool isSafeToParse(const juce::String& text);
} // namespace XmlTextGuard
