#include "Parsing/Items/Library.hpp"

namespace QRV {

Library::~Library() = default;

}  // namespace QRV
