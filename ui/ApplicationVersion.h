#pragma once

// The program's version text, reported by the application object and shown in the about box.
inline constexpr const char* applicationVersion = "0.9.3";
