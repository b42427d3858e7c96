#include "Model/Library.hpp"

namespace Sim::Model {

bool LibraryParameter::operator==(const LibraryParameter& other) const
{
    return name == other.name && type == other.type && flags == other.flags && description == other.description &&
           text == other.text && number == other.number;
}

bool LibraryPartDetails::operator==(const LibraryPartDetails& other) const
{
    return frameThickness == other.frameThickness && leftOversize == other.leftOversize &&
           rightOversize == other.rightOversize && upperOversize == other.upperOversize &&
           lowerOversize == other.lowerOversize;
}

bool LibraryPartRecord::operator==(const LibraryPartRecord& other) const
{
    return documentName == other.documentName && fileName == other.fileName && uniqueId == other.uniqueId &&
           location == other.location && inEmbeddedLibrary == other.inEmbeddedLibrary &&
           parameters == other.parameters && details == other.details;
}

LibraryPartRecord* Libraries::PartAt(Int32 index)
{
    if (index < 1 || static_cast<size_t>(index) > parts.size())
        return nullptr;
    return &parts[static_cast<size_t>(index) - 1];
}

Int32 Libraries::IndexOfLocation(const std::string& location, bool inEmbeddedLibrary) const
{
    for (size_t i = 0; i < parts.size(); ++i)
        if (parts[i].location == location && parts[i].inEmbeddedLibrary == inEmbeddedLibrary)
            return static_cast<Int32>(i + 1);
    return 0;
}

bool Libraries::operator==(const Libraries& other) const
{
    return hasEmbeddedLibrary == other.hasEmbeddedLibrary && list == other.list && parts == other.parts;
}

}  // namespace Sim::Model
