// Writing a whole property list onto one target, and reading stored property lists back.
#pragma once

#include "APIdefs_Attributes.h"
#include "Parsing/Items/CorvanaProperties.hpp"
#include "PropertyWriter.hpp"

#include <functional>
#include <string>

namespace QRV {

PropertyTexts TextsOf(const CorvanaProperty& property);

// Writes the properties, in order, onto the attribute (`elemGuid` null) or the element, with `leading` first
// (what must be written with the target's properties: its classification, its user data), all inside the
// undo step the add-on has open, or else in one step named `stepName`. With neither properties nor
// `leading` nothing is written and no step is made. Returns the last failing code, or NoError.
// `lookups` carries what the run looked up from one property (and one target) to the next.
GSErrCode DefinePropertiesUndoable(const CorvanaProperties& properties, const API_Attr_Head& attrHeader,
                                   const API_Guid& elemGuid, const char* stepName, HostLookups& lookups,
                                   const std::function<void()>& leading = nullptr);
// The same inside the caller's undo scope (a notification the host is already handling).
GSErrCode DefineProperties(const CorvanaProperties& properties, const API_Attr_Head& attrHeader,
                           const API_Guid& elemGuid, HostLookups& lookups);
GSErrCode DefineProperties(const CorvanaProperties& properties, const API_Attr_Head& attrHeader,
                           const API_Guid& elemGuid);

// A stored text (user data or module data) read back as a property list. A text that is not a JSON array
// of property records counts as holding no properties: false, with a log line naming `origin`.
bool ParseStoredProperties(const std::string& text, CorvanaProperties& properties, const std::string& origin);

}  // namespace QRV
