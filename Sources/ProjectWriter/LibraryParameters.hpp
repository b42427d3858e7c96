// The add-on's own parameters of an imported library part: a title and one text parameter per catalogue
// property, all named with the prefix "CV_" so that a later import finds and replaces them.
#pragma once

#include "APIdefs_LibraryParts.h"
#include "Parsing/Items/CorvanaProperties.hpp"

#include <string>
#include <vector>

namespace QRV {

constexpr const char* CorvanaParameterPrefix = "CV_";

// Removes every text or title parameter whose name begins with the prefix, then adds the title "CV_0"
// (description "Corvana") and one text parameter per property ("CV_1", "CV_2", ..., skipping numbers
// that a remaining parameter uses), and names the frame thickness and oversize parameters.
GSErrCode RewriteCorvanaParameters(const API_LibPart& libPart, const CorvanaProperties& properties);

}  // namespace QRV
