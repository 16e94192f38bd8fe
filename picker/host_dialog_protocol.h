// What identifies the host colour dialog of another program: its titles and
// the ids of its red, green and blue fields. Platform-free, shared by the
// picker, the stand-in host, the tests and the benchmark.
#pragma once

// Code page 932 bytes, escaped so the source file's encoding cannot change them.
inline constexpr char kColorSettingsTitle[] = "\x90\x46\x82\xCC\x90\xDD\x92\xE8"; // colour settings
inline constexpr char kColorEditingTitle[] = "\x90\x46\x82\xCC\x95\xD2\x8F\x57";  // colour editing

inline constexpr int kRedFieldId = 706;
inline constexpr int kGreenFieldId = 707;
inline constexpr int kBlueFieldId = 708;
