// English texts of the error codes the platform layer gives, for systems that have no message table of
// their own for them (and for the codes a system's table leaves out).
#pragma once

#include "Definitions.hpp"

#include <string>

namespace Platform {
namespace Detail {

// Empty for 0 and for codes without a text.
std::string StandardErrorText(UInt32 code);

}  // namespace Detail
}  // namespace Platform
