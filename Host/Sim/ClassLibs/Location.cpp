// A location is the file system path it was made from, kept as given.
#include "Location.hpp"

namespace IO {
namespace {

const GS::UniChar Separator('/');

// Where the last part of a path starts: after its last separator. Windows paths separate with "\" too, as
// the system itself hands them out.
UIndex LastSeparator(const GS::UniString& path)
{
    UIndex last = path.FindLast(Separator);
#if defined(_WIN32)
    const UIndex backslash = path.FindLast(GS::UniChar('\\'));
    if (backslash != MaxUIndex && (last == MaxUIndex || backslash > last))
        last = backslash;
#endif
    return last;
}

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
    const UIndex slash = LastSeparator(path);
    *result = Name(slash == MaxUIndex ? path : GS::UniString(path, slash + 1));
    return NoError;
}

GSErrCode Location::AppendToLocal(const Name& name)
{
    if (name.IsEmpty())
        return InvalidOperand;
    const UIndex last = LastSeparator(path);
    if (!path.IsEmpty() && (last == MaxUIndex || last + 1 != path.GetLength()))
        path.Append(Separator);
    path.Append(name.ToString());
    return NoError;
}

GSErrCode Location::DeleteLastLocalName()
{
    const UIndex slash = LastSeparator(path);
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
