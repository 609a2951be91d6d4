#pragma once

#include <juce_core/juce_core.h>

// Decides whether juce::XmlDocument may be given a text. Its parser recurses once per nesting level,
// reads past the end of a text that stops inside a hexadecimal character reference, loops for ever on
// text that follows a processing instruction, and can rescan the rest of the text again and again.
// The guard follows the parser's own reading rules without recursion and refuses, before the parser
// sees it, text that is too long, nests too deeply, gives one element too many attributes, or leads
// the parser anywhere it would complain, run out of text or stop making progress. That includes any
// document type declaration, whose entities expand without bound, and any named entity beyond the
// five predefined ones. A configuration document passes easily: it is two levels deep, its elements
// carry nine attributes, and it is about ten kilobytes long.
namespace XmlTextGuard
{
constexpr int maxBytes = 1 << 20;
constexpr int maxDepth = 32;
constexpr int maxAttributes = 64;

bool isSafeToParse(const juce::String& text);
} // namespace XmlTextGuard
