// Deterministic GUIDs: the same seed gives the same sequence, so saved projects and transcripts compare.
#pragma once

#include "API_Guid.hpp"

#include <random>

namespace Sim {

class GuidGenerator {
public:
    explicit GuidGenerator(UInt64 seed = 1) { Reseed(seed); }
    void Reseed(UInt64 seed) { engine_.seed(seed); }
    API_Guid Next();

private:
    std::mt19937_64 engine_;
};

}  // namespace Sim
