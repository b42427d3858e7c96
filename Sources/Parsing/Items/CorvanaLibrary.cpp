#include "Parsing/Items/CorvanaLibrary.hpp"

namespace QRV {

CorvanaLibrary::~CorvanaLibrary() = default;

}  // namespace QRV
