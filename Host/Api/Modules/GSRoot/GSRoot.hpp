// The root library's main header: its export mark, basic definitions and debug output.
#pragma once

#include "GSRootExport.hpp"
#include "Definitions.hpp"
#include "GSDebug.hpp"
