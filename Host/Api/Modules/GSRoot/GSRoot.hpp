// The root library's basic header: its types, definitions and debug output.
#pragma once

#include "Definitions.hpp"
#include "GSDebug.hpp"
