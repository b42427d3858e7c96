// How deep a text nests, measured without parsing it.
#pragma once

#include <string>

namespace QRV {
namespace Payload {

// The deepest nesting of brackets and braces outside string literals, in one pass; stops counting once
// past `limit`. It does not matter whether the text is valid JSON.
int NestingDepth(const std::string& text, int limit);

}  // namespace Payload
}  // namespace QRV
