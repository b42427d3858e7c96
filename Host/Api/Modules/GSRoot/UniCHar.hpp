// GS::UniChar: one UTF-16 code unit of a GS::UniString.
#pragma once

#include "CH.hpp"

namespace GS {

class GSROOT_DLL_EXPORT UniChar {
public:
    using Layout = Utf16Char;

    UniChar() = default;
    UniChar(Layout u) : uniChar(u) {}
    // A narrow character is taken in the system's code page (CC_Default).
    UniChar(char c);
    UniChar(unsigned char c);

    operator Layout() const { return uniChar; }

    enum CaseComparison { CaseSensitive, CaseInsensitive };
    enum CompareResult { Less, Equal, Greater };

    bool IsASCII() const { return uniChar < 0x80; }
    bool IsASCIIDigit() const { return uniChar >= '0' && uniChar <= '9'; }
    bool IsWhiteSpace() const;
    bool IsASCIILower() const { return uniChar >= 'a' && uniChar <= 'z'; }
    bool IsASCIIUpper() const { return uniChar >= 'A' && uniChar <= 'Z'; }

private:
    Layout uniChar = 0;
};

}  // namespace GS
