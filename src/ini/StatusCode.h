#pragma once

#include <cstdint>

// Result of the INI layer: negative means failure.
using StatusCode = std::int32_t;

constexpr StatusCode StatusOk = 0x01000001;
constexpr StatusCode StatusNoKey = static_cast<StatusCode>(0x80000001u);
// The file could not be read to its end; the document holds nothing of it.
constexpr StatusCode StatusReadFailed = static_cast<StatusCode>(0x80000002u);
constexpr StatusCode StatusOpenFailed = static_cast<StatusCode>(0x80000003u);
constexpr StatusCode StatusNoSection = static_cast<StatusCode>(0x80000004u);
