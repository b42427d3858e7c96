// Rules for the texts that go into a request, the same on every system: what an address may carry as it
// is, and how header text is cut into lines.
#pragma once

#include <string>
#include <vector>

namespace Platform {
namespace Detail {

// Percent-encodes what may not stand in an address as it is (control characters, blanks, bytes outside
// ASCII), as a browser does before it sends an address typed with them.
std::string EscapeUnsafeUrlBytes(const std::string& text);

// Splits header text at its CR LF pairs, leaving out empty lines. A lone CR or LF would start a header
// line of its own on the wire, so text holding one is refused (false, `lines` unusable).
bool SplitHeaderLines(const std::string& text, std::vector<std::string>& lines);

}  // namespace Detail
}  // namespace Platform
