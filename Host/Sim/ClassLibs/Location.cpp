// A location is the file system path it was made from, kept as given.
#include "Location.hpp"

namespace IO {
namespace {

const GS::UniChar Separator('/');

}  // namespace

Location::Location() : status(NoError) {}
Location::Location(const GS::UniString& targetPath) : path(targetPath), status(NoError) {}
Location::Location(const char* targetPath) : path(targetPath != nullptr ? targetPath : ""), status(NoError) {}
Location::Location(const Location& source) = default;
Location::Location(Location&& source) = default;

Location::Location(const Location& parent, const Name& name) : Location(parent) { AppendToLocal(name); }

Location& Location::operator=(const Location& source) = default;
Location& Location::operator=(Location&& source) = default;
Location::~Location() = default;

GSErrCode Location::Set(const GS::UniString& targetPath)
{
    path = targetPath;
    status = NoError;
    return NoError;
}

void Location::Clear()
{
    path.Clear();
    status = NoError;
}

bool Location::IsEmpty() const { return path.IsEmpty(); }

GSErrCode Location::GetLastLocalName(Name* result) const
{
    if (result == nullptr || path.IsEmpty())
        return InvalidOperand;
    const UIndex slash = path.FindLast(Separator);
    *result = Name(slash == MaxUIndex ? path : GS::UniString(path, slash + 1));
    return NoError;
}

GSErrCode Location::AppendToLocal(const Name& name)
{
    if (name.IsEmpty())
        return InvalidOperand;
    if (!path.IsEmpty() && !path.EndsWith(Separator))
        path.Append(Separator);
    path.Append(name.ToString());
    return NoError;
}

GSErrCode Location::DeleteLastLocalName()
{
    const UIndex slash = path.FindLast(Separator);
    if (path.IsEmpty() || slash == MaxUIndex)
        return InvalidOperand;
    path.Truncate(slash == 0 ? 1 : slash);
    return NoError;
}

bool Location::operator==(const Location& rightOp) const { return path == rightOp.path; }
bool Location::operator!=(const Location& rightOp) const { return !(*this == rightOp); }

GSErrCode Location::ToPath(GS::UniString* result) const
{
    if (result == nullptr || path.IsEmpty())
        return InvalidOperand;
    *result = path;
    return NoError;
}

GS::UniString Location::ToDisplayText() const { return path; }

}  // namespace IO
