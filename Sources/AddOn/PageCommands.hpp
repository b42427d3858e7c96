// The work behind the catalogue page's functions, one entry per command. The bridge decodes the page's
// arguments and encodes the replies; these do the work and report its outcome.
#pragma once

#include "Array.hpp"
#include "UniString.hpp"
#include "ImportEntry.hpp"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>

namespace QRV {

// Imports a list of catalogue items in one run; answers the status list for the page (or a JSON text).
nlohmann::json BulkImportEntry(const GS::UniString& text);
// The imported items that are older than the catalogue, as the page's JSON document.
std::string StatusReport(const GS::UniString& request);
// The model's quantities as the calculation page's JSON document.
std::string CalculationRequest();
// Opens an absolute http or https address in the operating system's browser; false for anything else or
// when the browser could not be started.
bool OpenExternalLink(const GS::UniString& url);
// Exports the project to IFC and uploads it; `list` is the page's list of texts, when it sent one.
bool ExportAndUpload(const std::optional<GS::Array<GS::UniString>>& list);
bool SelfUpdate(const GS::UniString& text);

}  // namespace QRV
