// The add-on's own resource module and other environment queries.
#include "ACAPinc.h"
#include "Host.hpp"

namespace Sim {
namespace {

GSResModule GetOwnResModule() { return TheHost().AddOnResModule(); }

}  // namespace
}  // namespace Sim

SIM_FAMILY(Environment)
{
    using namespace Sim;
    SIM_BIND(table, GetOwnResModule, &GetOwnResModule);
}
