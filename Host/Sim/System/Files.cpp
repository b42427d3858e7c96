#include "System/Files.hpp"

#include <algorithm>
#include <cctype>

namespace Sim::System {

bool IsSaveTemporaryOf(const std::string& entry, const std::string& fileName)
{
    const std::string prefix = "." + fileName + ".tmp-";
    if (entry.size() != prefix.size() + 6 || entry.compare(0, prefix.size(), prefix) != 0)
        return false;
    return std::all_of(entry.begin() + static_cast<long>(prefix.size()), entry.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

}  // namespace Sim::System
