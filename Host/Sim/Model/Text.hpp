// Text checks and encodings the host needs where bytes meet JSON.
#pragma once

#include <optional>
#include <string>

namespace Sim::Text {

// Whether `bytes` is well-formed UTF-8 (NUL bytes included: they are valid code points).
bool IsValidUtf8(const std::string& bytes);

std::string ToBase64(const std::string& bytes);
// Null when `text` is not canonical base64 (padding required, no whitespace).
std::optional<std::string> FromBase64(const std::string& text);

}  // namespace Sim::Text
