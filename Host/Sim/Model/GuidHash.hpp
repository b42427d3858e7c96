// A hash for GUIDs as keys of the model's indexes. GUIDs the host gives are random, but the generated and
// hand-written projects of the tests number theirs, so the halves are mixed rather than taken as they are.
#pragma once

#include "API_Guid.hpp"

#include <cstddef>
#include <cstring>

namespace Sim::Model {

struct GuidHash {
    std::size_t operator()(const API_Guid& guid) const
    {
        UInt64 halves[2];
        std::memcpy(halves, &guid, sizeof halves);
        const UInt64 mixed = (halves[0] ^ (halves[1] * 0x9E3779B97F4A7C15ULL)) * 0xBF58476D1CE4E5B9ULL;
        return static_cast<std::size_t>(mixed ^ (mixed >> 31));
    }
};

}  // namespace Sim::Model
