// The add-on's own resource module and other environment queries.
#include "ACAPinc.h"
#include "Host.hpp"

namespace Sim {
namespace {

GSErrCode GetOwnResModule(GSResModule* resModule)
{
    if (resModule == nullptr)
        return APIERR_BADPARS;
    *resModule = TheHost().AddOnResModule();
    return NoError;
}

}  // namespace
}  // namespace Sim

SIM_FAMILY(Environment)
{
    using namespace Sim;
    SIM_BIND(table, GetOwnResModule, &GetOwnResModule);
}
