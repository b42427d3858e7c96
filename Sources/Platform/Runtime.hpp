// The C run-time's services whose form differs between systems: the local time (each system has its own
// reentrant call), and the environment, which Windows keeps as UTF-16 and hands to narrow callers in the
// ANSI code page, where a folder name outside it loses its characters. None of these functions throws.
#pragma once

#include "UniString.hpp"

#include <ctime>

namespace Platform {

// The local calendar time of `time`. False, and `local` untouched, when the system cannot convert it.
bool LocalTime(std::time_t time, std::tm* local);

// The value of the environment variable `name` (ASCII), every character of it. False when the variable is
// not set or is empty.
bool GetEnvironmentText(const char* name, GS::UniString* value);

}  // namespace Platform
