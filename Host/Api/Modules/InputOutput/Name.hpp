// IO::Name: one part of a location, a file or folder name.
#pragma once

#include "IOBase.hpp"
#include "UniString.hpp"

namespace IO {

class IO_DLL_EXPORT Name {
private:
    GS::UniString name;

public:
    Name() {}
    explicit Name(const GS::UniString& string) : name(string) {}

    USize GetLength() const { return name.GetLength(); }
    bool IsEmpty() const { return name.IsEmpty(); }
    const GS::UniString& ToString() const { return name; }
    operator const GS::UniString&() const { return name; }

    bool operator==(const Name& rightOp) const { return name == rightOp.name; }
    bool operator!=(const Name& rightOp) const { return name != rightOp.name; }
};

}  // namespace IO
