#pragma once

#include <juce_graphics/juce_graphics.h>

#include <ostream>

// Readable GoogleTest messages for the JUCE values that tests compare most often.
namespace juce
{
template <typename T> void PrintTo(const Rectangle<T>& r, std::ostream* os)
{
    *os << "(" << r.getX() << ", " << r.getY() << ", " << r.getWidth() << ", " << r.getHeight() << ")";
}

template <typename T> void PrintTo(const Point<T>& p, std::ostream* os)
{
    *os << "(" << p.x << ", " << p.y << ")";
}

inline void PrintTo(const Colour& c, std::ostream* os)
{
    *os << "ARGB(" << (int) c.getAlpha() << ", " << (int) c.getRed() << ", " << (int) c.getGreen() << ", "
        << (int) c.getBlue() << ")";
}
inline void PrintTo(const StringArray& a, std::ostream* os)
{
    *os << "{" << a.joinIntoString(", ") << "}";
}
} // namespace juce
