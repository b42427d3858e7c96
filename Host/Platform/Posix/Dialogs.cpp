// Message boxes: this platform layer serves the simulated host, which answers them (HostMessageBoxes);
// without it a box goes to stderr.
#include "HostMessageBoxes.hpp"
#include "Platform/Shell.hpp"
#include "PlatformText.hpp"

#include <cstdio>

namespace Platform {

Int32 MessageBox(const GS::UniString& text, const GS::UniString& caption, UInt32 type)
{
    try {
        if (const MessageBoxHandler handler = GetMessageBoxHandler())
            return handler(text, caption, type);
        std::fprintf(stderr, "%s: %s\n", Platform::Utf8(caption).c_str(), Platform::Utf8(text).c_str());
    } catch (...) {
        // Showing the box is all there is to it; the answer is OK either way.
    }
    return MessageBoxIdOk;
}

}  // namespace Platform
