#pragma once

// The application's commands, reached from the menus, the keyboard and the button bars.
namespace CommandIDs
{
inline constexpr int open = 0x10000;
inline constexpr int save = 0x10001;
inline constexpr int saveAs = 0x10002;
inline constexpr int disconnect = 0x2001;
inline constexpr int saveToDevice = 0x2002;
inline constexpr int restoreDevice = 0x2003;
inline constexpr int restoreToFactory = 0x2004;
inline constexpr int about = 0x2005;
} // namespace CommandIDs
