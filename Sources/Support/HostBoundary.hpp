// The host calls the module through plain functions (menu, palette, file and project handlers); no C++
// exception may travel back into it. What escapes is written to the host's debug output instead.
#pragma once

#include "GSDebug.hpp"

#include <exception>

namespace QRV {

template <typename Action>
void RunForHost(const char* where, Action action)
{
    try {
        action();
    } catch (const std::exception& e) {
        DBPrintf("%s failed: %s\n", where, e.what());
    } catch (...) {
        DBPrintf("%s failed with an unknown exception\n", where);
    }
}

}  // namespace QRV
