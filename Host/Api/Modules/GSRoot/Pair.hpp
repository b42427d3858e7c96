#pragma once

#include <utility>

namespace GS {
template <typename A, typename B>
using Pair = std::pair<A, B>;
}
