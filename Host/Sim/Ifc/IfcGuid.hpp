// IFC's compressed GUID: the 128 bits of a GUID as 22 characters of IFC's own base-64 alphabet.
#pragma once

#include "API_Guid.hpp"

#include <string>

namespace Sim::Ifc {

// The GUID as written 8-4-4-4-12, its bytes taken in the order of that text.
std::string CompressedGuid(const API_Guid& guid);
// The same for 16 bytes in text order.
std::string CompressedGuid(const unsigned char (&bytes)[16]);

// A GUID that stands for `role` of `owner` (the project's storey, an element's property set, ...): the
// same inputs always give the same GUID, so exporting a project twice gives the same file.
std::string DerivedCompressedGuid(const std::string& owner, const std::string& role);

}  // namespace Sim::Ifc
