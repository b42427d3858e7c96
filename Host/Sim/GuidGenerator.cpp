#include "GuidGenerator.hpp"

#include <cstring>

namespace Sim {

API_Guid GuidGenerator::Next()
{
    UInt64 words[2] = {engine_(), engine_()};
    API_Guid guid;
    std::memcpy(&guid, words, sizeof guid);
    // Version 4 and the RFC variant, so the texts look like the host's.
    guid.time_hi_and_version = static_cast<UInt16>((guid.time_hi_and_version & 0x0FFF) | 0x4000);
    guid.clock_seq_hi_and_reserved = static_cast<UChar>((guid.clock_seq_hi_and_reserved & 0x3F) | 0x80);
    return guid;
}

}  // namespace Sim
