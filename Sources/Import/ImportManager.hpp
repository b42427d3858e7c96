// Turning one page text into importers and running them: the single import behind "import", "update",
// "replaceSystem", "replaceMaterialUsedInConstructionSystem" and opened JSON files, and the bulk run of
// non-system items.
#pragma once

#include "Import/BaseImporter.hpp"

#include <vector>

namespace QRV {

using Importers = std::vector<std::unique_ptr<BaseImporter>>;

namespace ImportManager {

// The importers a parsed document needs, in order; empty when it asks for nothing importable. Raises on a
// document that cannot be read (the callers' boundary catches it).
Importers GetImporter(const Json& document);

// True when every importer succeeded. Never raises: an unreadable document is a failed import with a log
// line naming the problem, and nothing is written.
bool Import(const GS::UniString& text);

// One status object per element of a parsed list ({"id","status","name","image","thumbnail"}), in order;
// stops after the element during which the bulk run was aborted. Never raises.
Json BulkImportNonSystem(const Json& list);

// Imports one bulk list element through its first importer, without asking before replacing, and
// returns that importer's status; "failed" when the element yields no importer or cannot be read.
// Never raises.
GS::UniString ImportBulkElement(const Json& element);

// The status object of one bulk list element.
Json StatusObject(const Json& element, const GS::UniString& status);

}  // namespace ImportManager
}  // namespace QRV
