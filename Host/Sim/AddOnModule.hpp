// Loading an add-on module and starting it exactly as the host does: bind (export table, then the
// imported function table), then the entry points in their order: environment check, interface
// registration, initialisation; release at unload.
#pragma once

#include "ACAPI_Binding.hpp"

#include <memory>
#include <string>

namespace Sim {

class Host;
namespace System {
class SharedLibrary;
}

struct AddOnBinding {
    GetExportedFuncAddrsProc* getExportedFuncAddrs = nullptr;
    SetImportedFuncAddrsProc* setImportedFuncAddrs = nullptr;
};

struct StartResult {
    GSErrCode error = NoError;   // the failing step's code; NoError when every step succeeded
    std::string failedStep;      // "bind", "CheckEnvironment", "RegisterInterface" or "Initialize"
    API_AddonType addonType = APIAddon_Unknown;
    bool Ok() const { return failedStep.empty(); }
};

class AddOnModule {
public:
    // Loads a module file as the system loads a shared library; its resources are read from the folder beside it named like the file with
    // the extension ".res". Returns null and sets `error` when the file is no add-on.
    static std::unique_ptr<AddOnModule> Load(const std::string& path, std::string* error);
    // A module whose code is linked into this program (tests): the two exported functions and its
    // resource folder.
    static std::unique_ptr<AddOnModule> FromBinding(AddOnBinding binding, std::string resourceDir);

    ~AddOnModule();
    AddOnModule(const AddOnModule&) = delete;
    AddOnModule& operator=(const AddOnModule&) = delete;

    StartResult Start(Host& host);
    GSErrCode Release();  // the release entry point; the module stays loaded until destroyed

    const API_ExportedFuncTable& ExportTable() const { return exports_; }
    const API_EnvirParams& Environment() const { return envir_; }

private:
    AddOnModule() = default;

    std::unique_ptr<System::SharedLibrary> library_;
    AddOnBinding binding_;
    std::string resourceDir_;
    API_ExportedFuncTable exports_{};
    API_EnvirParams envir_;
    bool started_ = false;
};

}  // namespace Sim
