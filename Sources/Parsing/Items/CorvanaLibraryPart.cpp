#include "Parsing/Items/CorvanaLibraryPart.hpp"

namespace QRV {

CorvanaLibraryPart::~CorvanaLibraryPart() = default;

}  // namespace QRV
