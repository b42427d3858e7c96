// The catalogue page's functions that take a text: the first byte chooses the function, the rest is the
// text the page passes.
#include "Support/FuzzHost.hpp"

#include <cstdio>
#include <cstdlib>

namespace {

struct PageFunction {
    const char* name;
    bool isImport;  // answers the error object, and a failure must leave the project as it was
};

constexpr PageFunction Functions[] = {{"import", true},        {"update", true},
                                      {"replaceSystem", true}, {"replaceMaterialUsedInConstructionSystem", true},
                                      {"bulkImport", false},   {"updateStatus", false}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const PageFunction& function = Functions[data[0] % (sizeof Functions / sizeof Functions[0])];
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    QRVFuzz::FuzzHost& world = QRVFuzz::FuzzHost::Fresh();
    world.BeginFromFresh();
    const Sim::JsCallResult result = world.CallPage(function.name, text);
    if (!result.called && result.problem.rfind("exception escaped", 0) != 0) {
        std::fprintf(stderr, "%s was not called: %s\n", function.name, result.problem.c_str());
        std::abort();
    }
    const bool failed = function.isImport && QRVFuzz::IsErrorReply(result);
    world.Verify(QRVTest::CallOutcome::FromPageCall(result, failed, function.isImport), function.name);
    world.Restore();
    return 0;
}
