#include "RS.hpp"

#include "Host.hpp"

bool RSGetIndString(GS::UniString* text, Int32 resID, Int32 index, GSResModule resModule)
{
    if (text == nullptr || !Sim::HasHost())
        return false;
    const Sim::ResourceSet* resources = Sim::TheHost().ResourceModule(resModule);
    const std::vector<std::string>* list = resources != nullptr ? resources->Strings(resID) : nullptr;
    if (list == nullptr || index < 1 || static_cast<size_t>(index) > list->size()) {
        text->Clear();
        return false;
    }
    *text = GS::UniString((*list)[static_cast<size_t>(index) - 1]);
    return true;
}
