#pragma once

#include "Import/BaseImporter.hpp"
#include "Parsing/Items/CorvanaComplexMaterial.hpp"

namespace QRV {

// A "system" document: one composite with its skin materials.
class ComplexMaterialImporter : public virtual BaseImporter {
public:
    explicit ComplexMaterialImporter(const Json& system);
    ~ComplexMaterialImporter() override;

    bool ImportFrom(const Json& json) override;
    bool Import() override;

private:
    ACLink link_;
    std::unique_ptr<CorvanaComplexMaterial> item_;
};

}  // namespace QRV
