// A host that stands in for the user (the simulated host) answers the platform's message boxes itself,
// on every system, instead of showing a window nobody is there to close. In Archicad nothing is handed
// over and the system shows them.
#pragma once

#include "UniString.hpp"

namespace Platform {

using MessageBoxHandler = Int32 (*)(const GS::UniString& text, const GS::UniString& caption, UInt32 type);

// Null gives the boxes back to the system.
void SetMessageBoxHandler(MessageBoxHandler handler);
MessageBoxHandler GetMessageBoxHandler();

}  // namespace Platform
