// The project's libraries: the library list, whether the project has an embedded library, and the
// library parts registered from files, each with its parameter section.
//
// The embedded library is a real folder of the host's home ("Embedded Library"); the model keeps the
// locations of files inside it relative to that folder, so that a project does not depend on the home
// it was made in.
#pragma once

#include "Definitions.hpp"

#include <string>
#include <vector>

namespace Sim::Model {

struct LibraryParameter {
    std::string name;
    Int32 type = 0;           // the host's parameter type code (12 text, 15 title, ...)
    Int32 flags = 0;
    std::string description;  // UTF-8
    std::string text;         // the value of a text parameter, UTF-8
    double number = 0;        // the value of any other parameter

    bool operator==(const LibraryParameter& other) const;
    bool operator!=(const LibraryParameter& other) const { return !(*this == other); }
};

struct LibraryPartDetails {
    std::string frameThickness;
    std::string leftOversize;
    std::string rightOversize;
    std::string upperOversize;
    std::string lowerOversize;

    bool operator==(const LibraryPartDetails& other) const;
    bool operator!=(const LibraryPartDetails& other) const { return !(*this == other); }
};

struct LibraryPartRecord {
    std::string documentName;
    std::string fileName;
    std::string uniqueId;           // "{GUID}-{GUID}", given at registration and kept
    std::string location;           // the file: absolute, or relative to the embedded library
    bool inEmbeddedLibrary = false;
    std::vector<LibraryParameter> parameters;
    LibraryPartDetails details;

    bool operator==(const LibraryPartRecord& other) const;
    bool operator!=(const LibraryPartRecord& other) const { return !(*this == other); }
};

struct LibraryEntry {
    std::string location;  // absolute path of a folder or container file
    std::string name;

    bool operator==(const LibraryEntry& other) const { return location == other.location && name == other.name; }
    bool operator!=(const LibraryEntry& other) const { return !(*this == other); }
};

struct Libraries {
    bool hasEmbeddedLibrary = false;
    std::vector<LibraryEntry> list;         // the active libraries other than the embedded one, in order
    std::vector<LibraryPartRecord> parts;   // a part's index is its position + 1

    // Null when no part has that index.
    LibraryPartRecord* PartAt(Int32 index);
    // Index of the part registered from that file, 0 when none.
    Int32 IndexOfLocation(const std::string& location, bool inEmbeddedLibrary) const;

    bool operator==(const Libraries& other) const;
    bool operator!=(const Libraries& other) const { return !(*this == other); }
};

}  // namespace Sim::Model

namespace Sim {
// The embedded library's folder, under the host's home folder.
constexpr const char* EmbeddedLibraryFolderName = "Embedded Library";
}  // namespace Sim
