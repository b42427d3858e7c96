// GS::UniString: the host's Unicode text. Stored as UTF-8.
#pragma once

#include "Definitions.hpp"

#include <string>
#include <vector>

namespace GS {

enum CaseComparison { CaseSensitive, CaseInsensitive };

class HOSTLIB_API UniString {
public:
    // Keeps a converted narrow or wide copy alive for the duration of an expression, as the host's does.
    class HOSTLIB_API CStr {
    public:
        explicit CStr(std::string text) : text_(std::move(text)) {}
        const char* Get() const { return text_.c_str(); }
        USize GetLength() const { return static_cast<USize>(text_.size()); }  // in bytes
        operator const char*() const { return text_.c_str(); }

    private:
        std::string text_;
    };
    class HOSTLIB_API UStr {
    public:
        explicit UStr(std::wstring text) : text_(std::move(text)) {}
        const wchar_t* Get() const { return text_.c_str(); }
        operator const wchar_t*() const { return text_.c_str(); }

    private:
        std::wstring text_;
    };

    UniString() = default;
    UniString(const char* text, GSCharCode code = CC_Default);
    UniString(const char* chars, USize charCount, GSCharCode code = CC_Default);
    UniString(const wchar_t* text);
    UniString(const std::string& text, GSCharCode code = CC_Default);

    static UniString Printf(const char* format, ...);

    CStr ToCStr(GSCharCode code = CC_Default) const { (void)code; return CStr(text_); }
    UStr ToUStr() const;

    USize GetLength() const;  // in Unicode code points
    bool IsEmpty() const { return text_.empty(); }
    void Clear() { text_.clear(); }

    bool IsEqual(const UniString& other, CaseComparison cmp = CaseSensitive) const;
    Int32 Compare(const UniString& other, CaseComparison cmp = CaseSensitive) const;
    bool BeginsWith(const UniString& prefix) const;
    bool EndsWith(const UniString& suffix) const;
    bool Contains(const UniString& part) const;
    UniString GetSubstring(USize from, USize count) const;  // code point positions
    UniString ToLowerCase() const;
    UniString& Trim();
    void DeleteLast(USize count = 1);
    UInt32 GenerateHashValue() const;

    UniString& operator+=(const UniString& other) { text_ += other.text_; return *this; }
    UniString& Append(const UniString& other) { return *this += other; }
    friend UniString operator+(UniString a, const UniString& b) { a += b; return a; }
    friend UniString operator+(UniString a, const char* b) { a += UniString(b); return a; }
    bool operator==(const UniString& other) const { return text_ == other.text_; }
    bool operator!=(const UniString& other) const { return text_ != other.text_; }
    bool operator<(const UniString& other) const { return text_ < other.text_; }

private:
    std::string text_;
};

}  // namespace GS
