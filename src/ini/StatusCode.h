#pragma once

#include <cstdint>

// Result of the INI layer; negative means failure.
//   StatusOk            0x01000001  success; positive, so that "negative" alone tells failure
//   StatusWriteFailed   0           IniFile::Write could not replace the file, which keeps its
//                                   old bytes; zero, the one result its callers ever had to
//                                   tell from StatusOk
//   StatusNoKey         0x80000001  a line gave no entry (its key was empty)
//   StatusReadFailed    0x80000002  the file could not be read to its end; the document holds
//                                   nothing of it
//   StatusOpenFailed    0x80000003  the file could not be opened
//   StatusNoSection     0x80000004  the file opened but holds no section header; it stays open
// The failures share the high bit and count up from 1, so that each is told apart by value.
using StatusCode = std::int32_t;

constexpr StatusCode StatusOk = 0x01000001;
constexpr StatusCode StatusWriteFailed = 0;
constexpr StatusCode StatusNoKey = static_cast<StatusCode>(0x80000001u);
constexpr StatusCode StatusReadFailed = static_cast<StatusCode>(0x80000002u);
constexpr StatusCode StatusOpenFailed = static_cast<StatusCode>(0x80000003u);
constexpr StatusCode StatusNoSection = static_cast<StatusCode>(0x80000004u);
