// Message boxes: the simulated host shows nothing; it records them in its transcript.
#include "Host.hpp"

#include "Platform/Shell.hpp"
#include "PlatformText.hpp"

#include <cstdio>

namespace Platform {

Int32 MessageBox(const GS::UniString& text, const GS::UniString& caption, UInt32 /*type*/)
{
    try {
        if (Sim::HasHost()) {
            Sim::TheHost().GetTranscript().Record("messageBox", {{"text", Platform::Utf8(text)},
                                                                 {"caption", Platform::Utf8(caption)},
                                                                 {"buttons", nlohmann::ordered_json::array({"OK"})},
                                                                 {"answer", "OK"}});
        } else {
            std::fprintf(stderr, "%s: %s\n", Platform::Utf8(caption).c_str(), Platform::Utf8(text).c_str());
        }
    } catch (...) {
        // Showing the box is all there is to it; the answer is OK either way.
    }
    return MessageBoxIdOk;
}

}  // namespace Platform
