// Reading the catalogue properties that an import stored in the project, for the calculation. A stored
// text that is not a property list counts as no properties (one line of debug output), so a damaged entry
// costs its catalogue data, never the answer.
#pragma once

#include "APIdefs_Attributes.h"
#include "Parsing/Items/CorvanaProperties.hpp"

#include <string>

namespace QRV::CatalogueProperties {

// False, leaving `properties` empty, for an empty text (silently) and for one that is no property list.
bool Parse(const std::string& text, CorvanaProperties& properties, const GS::UniString& origin);
// From the attribute's user data; empty when it has none. `textStored`, when given, tells whether the
// attribute holds a user data text at all (one that is no property list included).
CorvanaProperties OfAttribute(const API_Attribute& attribute, bool* textStored = nullptr);
// From the module data entry "CV_" + name; false when there is no usable entry.
bool OfProduct(const GS::UniString& name, CorvanaProperties& properties);

}  // namespace QRV::CatalogueProperties
