#include "RS.hpp"

#include "Host.hpp"
#include "SimUtf8.hpp"

bool RSGetIndString_ParamAdapter(const char* /*fileName*/, UInt32 /*lineCount*/, GS::UniString* result, GSResID resID,
                                 Int32 index, GSResModule resModule, ResStringType /*rsType*/)
{
    if (result == nullptr || !Sim::HasHost())
        return false;
    const Sim::ResourceSet* resources = Sim::TheHost().ResourceModule(resModule);
    const std::vector<std::string>* list = resources != nullptr ? resources->Strings(resID) : nullptr;
    if (list == nullptr || index < 1 || static_cast<size_t>(index) > list->size()) {
        result->Clear();
        return false;
    }
    *result = Sim::Uni((*list)[static_cast<size_t>(index) - 1]);
    return true;
}
