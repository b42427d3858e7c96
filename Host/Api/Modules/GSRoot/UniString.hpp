// GS::UniString: the host's Unicode text, held as UTF-16 code units. Lengths, indices and ranges count
// code units. Narrow texts convert through a GSCharCode whose default is the system's code page; UTF-8
// must be asked for with CC_UTF8.
#pragma once

#include "Definitions.hpp"
#include "CH.hpp"
#include "UniCHar.hpp"
#include "uchar_t.hpp"

#include <cstdarg>
#include <cstddef>
#include <string_view>
#ifdef PROBE_STD_STRING
#include <string>
#endif

namespace GS {

class GSROOT_DLL_EXPORT UniString {
public:
    class Substring;
    class ConstSubstring;
    class Concatenation;

private:
    // Keeps a converted copy alive while the expression that asked for it runs.
    class GSROOT_DLL_EXPORT CStr {
    private:
        char* content;
        USize length;

        CStr& operator=(const CStr& source) = delete;
        CStr(const CStr& source) = delete;

        friend class UniString;

    public:
        explicit CStr(USize strLength);
        CStr(CStr&& source);
        ~CStr();

        operator const char*() const { return content; }
        const char* Get() const { return content; }
        USize GetLength() const { return length; }  // in bytes, without the terminator
    };

    class GSROOT_DLL_EXPORT UStr {
    private:
        UniChar::Layout* content;
        bool ownsContent;

        UStr& operator=(const UStr& source) = delete;
        UStr(const UStr& source) = delete;

    public:
        explicit UStr(UniChar::Layout* content, bool ownsContent);
        UStr(UStr&& source);
        ~UStr();

        operator const UniChar::Layout*() const { return content; }
        const UniChar::Layout* Get() const { return content; }
    };

    static UniString PrintfFwd(const char* format, ...);
    static Concatenation Concatenate();

public:
    class GSROOT_DLL_EXPORT Substring {
    private:
        UniString* base;
        UIndex from;
        USize range;

        Substring(UniString& base, UIndex from, USize range);

        friend class UniString;
    };

    class GSROOT_DLL_EXPORT ConstSubstring {
    private:
        const UniString* base;
        UIndex from;
        USize range;

        ConstSubstring(const UniString& base, UIndex from, USize range);

        friend class UniString;
        friend class Substring;
    };

    // The result of `+`: becomes a UniString where one is needed.
    class GSROOT_DLL_EXPORT Concatenation {
    private:
        UniString* result;

        Concatenation();

        friend class UniString;

    public:
        Concatenation(const Concatenation& source);
        Concatenation& operator=(const Concatenation& source);
        ~Concatenation();

        Concatenation& operator+(UniChar rightOp);
        Concatenation& operator+(const UniString& rightOp);
        Concatenation& operator+(const UniChar::Layout* rightOp);
        Concatenation& operator+(const char* rightOp);
        Concatenation& operator+(std::string_view rightOp);
    };

#ifdef PROBE_STD_STRING
    UniString(const std::string&, GSCharCode = CC_Default) = delete;
    UniString& operator=(const std::string&) = delete;
    void Append(const std::string&, GSCharCode = CC_Default) = delete;
    UniString& operator+=(const std::string&) = delete;
    friend Concatenation operator+(const UniString&, const std::string&) = delete;
    friend bool operator==(const UniString&, const std::string&) = delete;
    friend bool operator!=(const UniString&, const std::string&) = delete;
    UniString& Assign(const std::string&, GSCharCode = CC_Default) = delete;
#endif
    UniString();
    UniString(const UniChar::Layout* uStr);
    UniString(const UniChar::Layout* uChars, USize charCount);
    UniString(const char* cStr, GSCharCode charCode = CC_Default);
    UniString(const char* chars, USize charCount, GSCharCode charCode = CC_Default);
    UniString(std::u16string_view str);
    UniString(std::string_view str, GSCharCode = CC_Default);
    UniString(const UniString& source, UIndex sourceFrom = 0, USize sourceRange = MaxUSize);
    UniString(UniString&& source);
    UniString(const Substring& source);
    UniString(const ConstSubstring& source);
    UniString(const Concatenation& source);

    // %T takes a UniString through its ToPrintf(); %s a narrow text in the system's code page.
    template <class... Args>
    static UniString Printf(const char* formatString, Args... args)
    {
        return PrintfFwd(formatString, args...);
    }

    UniString& operator=(const UniChar::Layout* uStr);
    UniString& operator=(const char* cStr);
    UniString& operator=(std::u16string_view str);
    UniString& operator=(std::string_view str);
    UniString& operator=(const UniString& source);
    UniString& operator=(UniString&& source);
    UniString& operator=(const Substring& source);
    UniString& operator=(const ConstSubstring& source);
    UniString& operator=(const Concatenation& source);

    UniString& Assign(const char* cStr, GSCharCode charCode = CC_Default);
    UniString& Assign(const char* chars, USize charCount, GSCharCode charCode = CC_Default);
    UniString& Assign(std::string_view str, GSCharCode charCode = CC_Default);
    UniString& Assign(const UniString& source, UIndex sourceFrom = 0, USize sourceRange = MaxUSize);

    void Swap(UniString& source);

    ~UniString();

    UniChar operator[](UIndex idx) const;
    UniChar GetChar(UIndex idx) const;
    void SetChar(UIndex idx, UniChar uc);
    UniChar GetLast() const;

    Substring GetSubstring(UIndex from, USize range);
    ConstSubstring GetSubstring(UIndex from, USize range) const;
    Substring GetPrefix(USize range);
    ConstSubstring GetPrefix(USize range) const;
    Substring GetSuffix(USize range);
    ConstSubstring GetSuffix(USize range) const;

    void Insert(UIndex to, UniChar uc);
    void Insert(UIndex to, const UniString& str, UIndex strFrom = 0, USize strRange = MaxUSize);

    void Append(UniChar uc);
    void Append(const UniString& str, UIndex strFrom = 0, USize strRange = MaxUSize);
    void Append(const UniChar::Layout* uStr);
    void Append(const UniChar::Layout* uChars, USize charCount);
    void Append(const char* cStr, GSCharCode charCode = CC_Default);
    void Append(const char* chars, USize charCount, GSCharCode charCode = CC_Default);
    void Append(std::u16string_view str);
    void Append(std::string_view str, GSCharCode charCode = CC_Default);

    UniString& operator+=(UniChar uc);
    UniString& operator+=(const UniString& str);
    UniString& operator+=(const UniChar::Layout* uStr);
    UniString& operator+=(const char* cStr);
    UniString& operator+=(std::u16string_view str);
    UniString& operator+=(std::string_view str);

    GSROOT_DLL_EXPORT friend Concatenation operator+(const UniString& leftOp, UniChar rightOp);
    GSROOT_DLL_EXPORT friend Concatenation operator+(const UniString& leftOp, const UniString& rightOp);
    GSROOT_DLL_EXPORT friend Concatenation operator+(const UniString& leftOp, const UniChar::Layout* rightOp);
    GSROOT_DLL_EXPORT friend Concatenation operator+(const UniString& leftOp, const char* rightOp);
    GSROOT_DLL_EXPORT friend Concatenation operator+(const UniString& leftOp, std::string_view rightOp);
    GSROOT_DLL_EXPORT friend Concatenation operator+(UniChar leftOp, const UniString& rightOp);
    GSROOT_DLL_EXPORT friend Concatenation operator+(const UniChar::Layout* leftOp, const UniString& rightOp);
    GSROOT_DLL_EXPORT friend Concatenation operator+(const char* leftOp, const UniString& rightOp);

    void Delete(UIndex idx);
    void Delete(UIndex from, USize range);
    void DeleteFirst();
    void DeleteLast();

    void TrimLeft();
    void TrimRight();
    void Trim();

    void Clear();
    void Truncate(USize newLength);
    USize GetLength() const;
    bool IsEmpty() const;

    GSROOT_DLL_EXPORT friend bool operator==(const UniString& leftOp, const UniString& rightOp);
    GSROOT_DLL_EXPORT friend bool operator==(const UniString& leftOp, const char* rightOp);
    GSROOT_DLL_EXPORT friend bool operator==(const UniString& leftOp, const UniChar::Layout* rightOp);
    GSROOT_DLL_EXPORT friend bool operator==(const UniString& leftOp, std::string_view rightOp);
    GSROOT_DLL_EXPORT friend bool operator==(const char* leftOp, const UniString& rightOp);
    GSROOT_DLL_EXPORT friend bool operator==(const UniChar::Layout* leftOp, const UniString& rightOp);

    GSROOT_DLL_EXPORT friend bool operator!=(const UniString& leftOp, const UniString& rightOp);
    GSROOT_DLL_EXPORT friend bool operator!=(const UniString& leftOp, const char* rightOp);
    GSROOT_DLL_EXPORT friend bool operator!=(const UniString& leftOp, const UniChar::Layout* rightOp);
    GSROOT_DLL_EXPORT friend bool operator!=(const UniString& leftOp, std::string_view rightOp);
    GSROOT_DLL_EXPORT friend bool operator!=(const char* leftOp, const UniString& rightOp);
    GSROOT_DLL_EXPORT friend bool operator!=(const UniChar::Layout* leftOp, const UniString& rightOp);

    // Code unit order.
    bool operator<(const UniString& rightOp) const;
    bool operator<=(const UniString& rightOp) const;
    bool operator>(const UniString& rightOp) const;
    bool operator>=(const UniString& rightOp) const;

    enum CaseComparison { CaseSensitive, CaseInsensitive };
    bool IsEqual(const UniString& rightOp, CaseComparison caseComparison = CaseSensitive) const;

    enum CompareResult { Less, Equal, Greater };
    CompareResult Compare(const UniString& rightOp, CaseComparison caseComparison = CaseSensitive) const;
    bool IsLess(const UniString& rightOp, CaseComparison caseComparison = CaseSensitive) const;

    bool Contains(UniChar uc, UIndex from = 0, USize range = MaxUSize) const;
    bool Contains(const UniString& str, UIndex from = 0, USize range = MaxUSize) const;

    // MaxUIndex when there is none.
    UIndex FindFirst(UniChar uc, UIndex from = 0, USize range = MaxUSize) const;
    UIndex FindFirst(const UniString& str, UIndex from = 0, USize range = MaxUSize) const;
    UIndex FindLast(UniChar uc) const;
    UIndex FindLast(const UniString& str) const;

    bool BeginsWith(UniChar uc) const;
    bool BeginsWith(const UniString& str) const;
    bool EndsWith(UniChar uc) const;
    bool EndsWith(const UniString& str) const;

    USize ReplaceAll(UniChar oldChar, UniChar newChar, UIndex from = 0, USize range = MaxUSize);
    USize ReplaceAll(const UniString& oldStr, const UniString& newStr, UIndex from = 0, USize range = MaxUSize);

    USize Count(UniChar uc, UIndex from = 0, USize range = MaxUSize) const;
    USize Count(const UniString& str, UIndex from = 0, USize range = MaxUSize) const;

    void SetToUpperCase(UIndex from = 0, USize range = MaxUSize);
    void SetToLowerCase(UIndex from = 0, USize range = MaxUSize);
    UniString ToUpperCase(UIndex from = 0, USize range = MaxUSize) const;
    UniString ToLowerCase(UIndex from = 0, USize range = MaxUSize) const;

    bool IsASCII() const;

    enum OnConversionError { ReplaceWithFillers, ThrowException };

    // The code units, terminated by a zero.
    UStr ToUStr(UIndex from = 0, USize range = MaxUSize) const;
    // Characters the code page cannot hold become '?'.
    CStr ToCStr(UIndex from = 0, USize range = MaxUSize, GSCharCode charCode = CC_Default,
                OnConversionError onConversionError = ReplaceWithFillers) const;
    CStr ToCStr(GSCharCode charCode) const;

    // For %T of Printf.
    const void* ToPrintf() const;

    ULong GenerateHashValue() const;

private:
    void Set(const UniChar::Layout* units, USize count);
    void SetNarrow(const char* chars, USize count, GSCharCode charCode);
    void Reserve(USize capacity);
    void Replace(UIndex from, USize range, const UniChar::Layout* units, USize count);
    USize Clamp(UIndex from, USize range) const;

    UniChar::Layout* content;
    USize length;
    USize capacity;
};

}  // namespace GS
