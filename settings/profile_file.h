// Where tanzel keeps what it remembers: one INI file, one section.
#pragma once

// In the current directory, not the program's: each folder keeps its own.
inline constexpr char kIniPath[] = ".\\tanzel.ini";
inline constexpr char kIniSection[] = "tanzel";
