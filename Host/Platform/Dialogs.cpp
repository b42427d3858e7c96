// Message boxes: the simulated host shows nothing; it records them in its transcript.
#include "Host.hpp"

#include "Platform/Shell.hpp"

#include <cstdio>

namespace Platform {

Int32 MessageBox(const GS::UniString& text, const GS::UniString& caption, UInt32 /*type*/)
{
    try {
        if (Sim::HasHost()) {
            Sim::TheHost().GetTranscript().Record("messageBox", {{"text", text.ToStdString()},
                                                                 {"caption", caption.ToStdString()},
                                                                 {"buttons", nlohmann::ordered_json::array({"OK"})},
                                                                 {"answer", "OK"}});
        } else {
            std::fprintf(stderr, "%s: %s\n", caption.ToStdString().c_str(), text.ToStdString().c_str());
        }
    } catch (...) {
        // Showing the box is all there is to it; the answer is OK either way.
    }
    return MessageBoxIdOk;
}

}  // namespace Platform
