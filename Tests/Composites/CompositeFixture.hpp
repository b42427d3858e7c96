// Composite writer tests: the module's code in-process on a fresh host, with helpers to build construction
// systems and read back what the host holds.
#pragma once

#include "Support/InProcessModule.hpp"

#include "Support/ModuleState.hpp"
#include "Parsing/Items/ComplexMaterial.hpp"
#include "ProjectWriter/ACLink.hpp"
#include "ProjectWriter/ElementLists.hpp"

#include <string>
#include <vector>

namespace QRVTest {

struct SkinSpec {
    std::string material;
    std::string role;
    double metres;
};

class CompositeFixture : public InProcessModuleFixture {
protected:
    void CleanUpModuleState() override
    {
        QRV::ClearElementLists();
        QRV::MaterialsCreatedInBulkRun().clear();
        QRV::SetBulkImportAborted(false);
        QRV::SetBulkImportScope(QRV::BulkImportScope::LibraryOnly);
    }

    static QRV::ComplexMaterial System(const std::string& name, const std::string& systemType,
                                       const std::vector<SkinSpec>& skins)
    {
        QRV::ComplexMaterial system;
        system.SetName(GS::UniString(name));
        system.SetSystemType(GS::UniString(systemType));
        for (const SkinSpec& skin : skins) {
            QRV::Material material;
            material.SetName(GS::UniString(skin.material));
            material.SetLayerType(GS::UniString(skin.role));
            material.SetThickness(skin.metres);
            system.AddMaterial(material);
        }
        return system;
    }

    const Sim::Model::Composite* Composite(const std::string& name) const
    {
        return host->GetProject().attributes.composites.FindByName(name);
    }
    Sim::Model::Composite* MutableComposite(const std::string& name)
    {
        return host->GetProject().attributes.composites.FindByName(name);
    }
    Int32 MaterialIndex(const std::string& name) const
    {
        const auto* material = host->GetProject().attributes.buildingMaterials.FindByName(name);
        return material != nullptr ? material->index : 0;
    }
    size_t MaterialCount() const { return host->GetProject().attributes.buildingMaterials.Size(); }
    size_t CompositeCount() const { return host->GetProject().attributes.composites.Size(); }

    std::vector<std::string> AlertTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& event : host->GetTranscript().EventsOfKind("alert"))
            texts.push_back(event.at("smallText").get<std::string>());
        return texts;
    }
};

}  // namespace QRVTest
