#pragma once

#include <juce_core/juce_core.h>

// Decides whether juce::XmlDocument may be given a text. Its parser recurses once per nesting level,
// reads past the end of a text that stops inside a hexadecimal character reference, loops for ever on
// text that follows a processing instruction, and can rescan the rest of the text again and again.
// Some of its work also grows with the square of what it reads: it builds an attribute value by
// appending each run of text and each reference to a string that is copied every time, and it inserts
// every element and attribute name into a sorted pool shared by the whole process. The guard follows
// the parser's own reading rules without recursion and refuses, before the parser sees it, text that
// is too long, nests too deeply, holds too many elements or attributes, gives one element too many
// attributes or one attribute too long a value, or leads the parser anywhere it would complain, run
// out of text or stop making progress. That includes any document type declaration, whose entities
// expand without bound, any named entity beyond the five predefined ones, any character reference that
// is not a number in digits, and any character that XML does not allow, written as it is or as a
// reference. A configuration document passes easily: it is two levels deep, holds 84 elements and 700
// attributes, nine at most to an element, its values are short but for free-text names, and it is
// about ten kilobytes long.
namespace XmlTextGuard
{
constexpr int maxBytes = 1 << 20;
constexpr int maxDepth = 32;
constexpr int maxAttributes = 64;
constexpr int maxElements = 1024;
constexpr int maxDocumentAttributes = 8192;
// Counted as written, between the quotes: a name of 800 characters fits even when each of them is
// written as a character reference.
constexpr int maxValueBytes = 8192;

bool isSafeToParse(const juce::String& text);
} // namespace XmlTextGuard
