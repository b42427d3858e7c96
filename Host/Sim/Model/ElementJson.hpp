// Elements in JSON, as the project file holds them and as user actions (place, change) name them. The
// kind's members are listed in docs/project-file.md; a member another kind has is refused like a typo.
#pragma once

#include "Model/JsonReader.hpp"
#include "Model/Project.hpp"

#include <optional>
#include <string>

namespace Sim::Model {

// "wall", "slab", ... ; null for a kind the model does not hold.
const char* ElementKindWord(API_ElemTypeID type);
std::optional<API_ElemTypeID> ElementKindFromWord(const std::string& word);

// A whole element. The GUID is read when present (the caller claims it); `requireGuid` makes it required.
// Checks the element against `project` (attributes it names, its owner) except for owners when
// `checkOwner` is false (the project file checks them once every element is read).
Element ReadElement(const Json::Reader& reader, const Project& project, bool requireGuid, bool checkOwner);
// Changes the members that `reader` names; the GUID and the kind cannot change. The element is checked
// again as a whole.
void ApplyElementChanges(const Json::Reader& reader, const Project& project, Element& element);
// Every member of the element's kind.
Json::Value WriteElement(const Element& element);
// Throws Json::Error at `place` when the owner is missing or of the wrong kind.
void CheckOwner(const Element& element, const Project& project, const Json::Reader& place);

}  // namespace Sim::Model
