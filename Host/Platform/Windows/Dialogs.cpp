#include "Win32.hpp"

#include "HostMessageBoxes.hpp"
#include "Platform/Shell.hpp"
#include "WideText.hpp"

namespace Platform {

Int32 MessageBox(const GS::UniString& text, const GS::UniString& caption, UInt32 type)
{
    try {
        if (const MessageBoxHandler handler = GetMessageBoxHandler())
            return handler(text, caption, type);
        const std::wstring wideText = Detail::Wide(text);
        const std::wstring wideCaption = Detail::Wide(caption);
        // An OK box whatever else was asked for: the caller waits for one answer only. Its icon is kept.
        const UINT style = MB_OK | (type & MB_ICONMASK) | MB_TASKMODAL | MB_SETFOREGROUND;
        return ::MessageBoxW(nullptr, wideText.c_str(), wideCaption.c_str(), style);
    } catch (...) {
        return 0;
    }
}

}  // namespace Platform
