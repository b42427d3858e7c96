#include "Registry.hpp"

namespace Sim {

const RegisteredWindow* Registry::FindWindow(Int32 referenceID) const
{
    for (const auto& window : windows)
        if (window.referenceID == referenceID)
            return &window;
    return nullptr;
}

}  // namespace Sim
