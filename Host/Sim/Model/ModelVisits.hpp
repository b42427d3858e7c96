// How many stored entries (elements, attributes, classification items, property groups and definitions)
// the model's queries have looked at since the process started. Unlike a clock it gives the same figure
// on every run and every machine, so a test can pin how the simulator's own work grows with a model's
// size: a query that walks the whole project for each element shows up as visits growing with the square
// of the size, whatever the host call counts say.
#pragma once

#include <cstddef>
#include <cstdint>

namespace Sim::Model {

std::uint64_t ModelVisits();
// A query looked at `entries` stored entries (a walk of a whole list counts its length).
void CountVisits(std::size_t entries);

}  // namespace Sim::Model
