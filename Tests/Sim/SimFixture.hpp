// A fresh simulated host whose function table is this test program's imported table, so that tests call
// ACAPI_ functions directly, as add-on code does.
#pragma once

#include "ACAPinc.h"
#include "Support/ChildProcess.hpp"
#include "SimUtf8.hpp"
#include "Support/ModuleFixture.hpp"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace SimTest {

class ApiFixture : public QRVTest::HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        ACAPI::Imported() = ACAPI::ImportedTable{host->Table().Data(), Sim::FunctionTable::Size()};
    }
    void TearDown() override
    {
        ACAPI::Imported() = ACAPI::ImportedTable{};
        HostFixture::TearDown();
    }
};

// A record with every byte zero, as the host's records are prepared (they have no constructor).
inline API_Attribute Blank(API_AttrTypeID type)
{
    API_Attribute attribute;
    std::memset(static_cast<void*>(&attribute), 0, sizeof attribute);
    attribute.header.typeID = type;
    return attribute;
}

inline API_Attribute Record(API_AttrTypeID type, const std::string& name)
{
    API_Attribute attribute = Blank(type);
    std::strncpy(attribute.header.name, name.c_str(), API_AttrNameLen - 1);
    return attribute;
}

struct Skin {
    Int32 material;  // the building material's index number
    double thickness;
    short flags = 0;
    short framePen = 1;
};

// Definitions allocated as an add-on allocates them; released with Release().
struct OwnedDefs {
    API_AttributeDefExt defs{};
    OwnedDefs(const std::vector<Skin>& skins, Int32 lineType = 1, short linePen = 2)
    {
        defs.cwall_compItems = reinterpret_cast<API_CWallComponent**>(
            BMAllocateHandle(static_cast<Int32>(skins.size() * sizeof(API_CWallComponent)), ALLOCATE_CLEAR, 0));
        defs.cwall_compLItems = reinterpret_cast<API_CWallLineComponent**>(
            BMAllocateHandle(static_cast<Int32>((skins.size() + 1) * sizeof(API_CWallLineComponent)), ALLOCATE_CLEAR, 0));
        for (size_t i = 0; i < skins.size(); ++i)
            (*defs.cwall_compItems)[i] = API_CWallComponent{ACAPI_CreateAttributeIndex(skins[i].material), skins[i].framePen, skins[i].flags,
                                                            skins[i].thickness};
        for (size_t i = 0; i <= skins.size(); ++i) {
            (*defs.cwall_compLItems)[i].ltypeInd = ACAPI_CreateAttributeIndex(lineType);
            (*defs.cwall_compLItems)[i].linePen = linePen;
        }
    }
    ~OwnedDefs() { Release(); }
    OwnedDefs(const OwnedDefs&) = delete;
    OwnedDefs& operator=(const OwnedDefs&) = delete;
    void Release()
    {
        auto skins = reinterpret_cast<GSHandle>(defs.cwall_compItems);
        auto lines = reinterpret_cast<GSHandle>(defs.cwall_compLItems);
        BMKillHandle(&skins);
        BMKillHandle(&lines);
        defs = API_AttributeDefExt{};
    }
};

// A folder of its own for one test, removed afterwards.
class TempFolder {
public:
    TempFolder()
    {
        path_ = QRVTest::MakeScratchFolder("corvana-sim-test-").string();
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    // With the system's separators throughout, as the host writes the paths it makes.
    std::string operator/(const std::string& name) const
    {
        return Sim::PathUtf8((Sim::PathFromUtf8(path_) / Sim::PathFromUtf8(name)).make_preferred());
    }
    const std::string& Path() const { return path_; }
    std::vector<std::string> Entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::string path_;
};

}  // namespace SimTest
