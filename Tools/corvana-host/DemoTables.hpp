// The calculation document ("getCalculationData") as fixed-width text tables for the demo's summary: one
// table per section, its columns named by the document's keys.
#pragma once

#include <nlohmann/json.hpp>

#include <ostream>

namespace CorvanaHost {

// Products, systems with a table of their layers each, curtain walls and stairs. A section the document
// lacks, or that is no list of records, is said to be missing; a list of attributes shows as its count.
void WriteCalculationTables(const nlohmann::ordered_json& calculation, std::ostream& out);

}  // namespace CorvanaHost
