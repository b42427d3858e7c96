#include "AddOnModule.hpp"

#include "Host.hpp"
#include "SimUtf8.hpp"
#include "System/SharedLibrary.hpp"

#include <filesystem>
#include <stdexcept>

namespace Sim {

std::unique_ptr<AddOnModule> AddOnModule::Load(const std::string& path, std::string* error)
{
    std::unique_ptr<System::SharedLibrary> library = System::SharedLibrary::Open(path, error);
    if (!library)
        return nullptr;
    AddOnBinding binding;
    binding.getExportedFuncAddrs = reinterpret_cast<GetExportedFuncAddrsProc*>(library->Symbol("GetExportedFuncAddrs"));
    binding.setImportedFuncAddrs = reinterpret_cast<SetImportedFuncAddrsProc*>(library->Symbol("SetImportedFuncAddrs"));
    if (binding.getExportedFuncAddrs == nullptr || binding.setImportedFuncAddrs == nullptr) {
        if (error != nullptr)
            *error = path + ": not an add-on (GetExportedFuncAddrs or SetImportedFuncAddrs missing)";
        return nullptr;
    }
    std::filesystem::path resources = PathFromUtf8(path);
    resources.replace_extension(".res");
    auto module = FromBinding(binding, PathUtf8(resources));
    module->library_ = std::move(library);
    return module;
}

std::unique_ptr<AddOnModule> AddOnModule::FromBinding(AddOnBinding binding, std::string resourceDir)
{
    std::unique_ptr<AddOnModule> module(new AddOnModule());
    module->binding_ = binding;
    module->resourceDir_ = std::move(resourceDir);
    return module;
}

// The module's static objects (its palettes among them) go with the library; they may still call the
// class library, so the host must outlive this.
AddOnModule::~AddOnModule() = default;

StartResult AddOnModule::Start(Host& host)
{
    StartResult result;
    auto fail = [&result](const char* step, GSErrCode err) {
        result.failedStep = step;
        result.error = err;
        return result;
    };

    try {
        host.SetAddOnResModule(host.AddResourceModule(ResourceSet::LoadDirectory(resourceDir_)));
    } catch (const std::exception& e) {
        host.GetTranscript().Record("error", {{"text", e.what()}});
        return fail("resources", APIERR_MISSINGDEF);
    }

    GSErrCode err = binding_.getExportedFuncAddrs(&exports_, static_cast<Int32>(sizeof exports_));
    if (err != NoError)
        return fail("bind", err);
    if (exports_.header != API_ExportTableHeader || exports_.interfaceVersion != API_InterfaceVersion)
        return fail("bind", APIERR_BADPARS);
    err = binding_.setImportedFuncAddrs(host.Table().Data(), FunctionTable::Size());
    if (err != NoError)
        return fail("bind", err);

    envir_ = API_EnvirParams{};
    envir_.serverInfo.language = GS::UniString(host.Options().language.c_str());
    result.addonType = exports_.checkEnvironment(&envir_);
    host.GetTranscript().Record("entry", {{"step", "CheckEnvironment"}, {"result", result.addonType}});
    if (result.addonType != APIAddon_Preload && result.addonType != APIAddon_Normal)
        return fail("CheckEnvironment", APIERR_GENERAL);

    err = exports_.registerInterface();
    host.GetTranscript().Record("entry", {{"step", "RegisterInterface"}, {"result", err}});
    if (err != NoError)
        return fail("RegisterInterface", err);

    err = exports_.initialize();
    host.GetTranscript().Record("entry", {{"step", "Initialize"}, {"result", err}});
    if (err != NoError)
        return fail("Initialize", err);
    started_ = true;
    return result;
}

GSErrCode AddOnModule::Release()
{
    if (!started_ || exports_.freeData == nullptr)
        return NoError;
    started_ = false;
    return exports_.freeData();
}

}  // namespace Sim
