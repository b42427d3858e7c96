#include "Parsing/Items/LibraryPart.hpp"

namespace QRV {

LibraryPart::~LibraryPart() = default;

void LibraryPart::SetLibPart(const API_LibPart& libPart) { libPart_ = libPart; }

}  // namespace QRV
