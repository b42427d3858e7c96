// The names the host takes for a property group and a property definition. A catalogue item whose
// properties carry another name is refused whole before it is written, so that nothing of it reaches the
// project and the import does not end in a host refusal half way.
#pragma once

#include "Parsing/Items/CorvanaProperties.hpp"

#include <optional>
#include <string>

namespace QRV {

// Why the host would refuse the text as a group or definition name ("it is empty", "it holds a zero
// character", "it holds an unpaired UTF-16 surrogate"), or nothing.
std::optional<std::string> PropertyNameProblem(const GS::UniString& name);

// Refuses `properties` when one of them has a group or name the host would refuse: an error line in the
// log naming `itemName`, the property and the reason, then std::invalid_argument.
void RequireHostPropertyNames(const CorvanaProperties& properties, const GS::UniString& itemName);

// The same for every property list a catalogue item carries (a composite's skin materials included), as
// an importer receives the item from its parser.
class CorvanaMaterial;
class CorvanaComplexMaterial;
class CorvanaLibrary;
class CorvanaLibraryPart;
void RequireHostPropertyNames(const CorvanaMaterial& material);
void RequireHostPropertyNames(const CorvanaComplexMaterial& composite);
void RequireHostPropertyNames(const CorvanaLibrary& library);
void RequireHostPropertyNames(const CorvanaLibraryPart& part);

}  // namespace QRV
