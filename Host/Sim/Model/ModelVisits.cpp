#include "Model/ModelVisits.hpp"

#include <atomic>

namespace Sim::Model {
namespace {

// serve answers on one thread, but tests may build projects on several: the count must not tear.
std::atomic<std::uint64_t> visits{0};

}  // namespace

std::uint64_t ModelVisits() { return visits.load(std::memory_order_relaxed); }

void CountVisits(std::size_t entries) { visits.fetch_add(entries, std::memory_order_relaxed); }

}  // namespace Sim::Model
