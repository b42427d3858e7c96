// The limits on every text that comes from outside the add-on and is read as JSON: what the catalogue page
// passes (imports, bulk imports, status requests), JSON files opened in the host, and the texts stored in
// the project. One check for all of them, made before any parsing, so that a huge or deeply nested text is
// refused with a message naming the limit instead of exhausting memory or the stack.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace QRV {
namespace Payload {

// No catalogue document comes near these: the largest real ones (bulk lists of a few hundred systems) are
// a few megabytes, and items nest fewer than ten levels.
constexpr std::size_t MaxTextBytes = 16u * 1024u * 1024u;
constexpr int MaxNestingDepth = 512;

// The most elements a bulk list may hold, and the most articles one material document may hold. A list
// past either is refused whole before anything is written: each element costs a status in the reply and
// each article may cost a modal question, so a list of millions tied up the host for minutes.
constexpr std::size_t MaxBulkListElements = 10000;
constexpr std::size_t MaxArticlesPerDocument = 1000;

// Why `text` is refused ("the text is N bytes, more than the limit of M", "the text nests deeper than
// 512 levels"), or nothing when it is within the limits. Nesting counts the brackets and braces outside
// strings, so it does not matter whether the text is valid JSON.
std::optional<std::string> LimitBreach(const std::string& text);

// As LimitBreach, and a breach is written to the add-on's log as an error line naming `what` (the entry
// that received the text). True when the text may be read.
bool WithinLimits(const std::string& text, const char* what);

}  // namespace Payload
}  // namespace QRV
