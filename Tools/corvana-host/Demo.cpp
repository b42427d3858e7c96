#include "Demo.hpp"

#include "DemoTables.hpp"
#include "FileAddress.hpp"

#include "Model/ProjectFile.hpp"
#include "Options.hpp"
#include "UserInterface.hpp"
#include "SimUtf8.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>

namespace CorvanaHost {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

constexpr const char* ScriptObject = "jsCorvanaInterface";
// Payloads name their files by this placeholder, so the samples work wherever the sources are.
constexpr const char* ExamplesPlaceholder = "${EXAMPLES}";

fs::path ExamplesFolder() { return Sim::PathFromUtf8(CORVANA_SOURCE_DIR) / "Examples"; }

bool ReadFile(const fs::path& path, std::string* text)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    *text = buffer.str();
    return static_cast<bool>(in) || in.eof();
}

bool WriteFile(const fs::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return static_cast<bool>(out);
}

std::string WithExamplesFolder(std::string text)
{
    // The folder goes into a JSON string: escaped as JSON escapes it, without the quotes. Payloads name it
    // in file addresses ("file://${EXAMPLES}/..."), whose path is written with "/" on every system.
    const std::string folder = Json(FileAddressPath(ExamplesFolder())).dump();
    const std::string escaped = folder.substr(1, folder.size() - 2);
    for (size_t at = text.find(ExamplesPlaceholder); at != std::string::npos;
         at = text.find(ExamplesPlaceholder, at + escaped.size()))
        text.replace(at, std::string(ExamplesPlaceholder).size(), escaped);
    return text;
}

struct CallOutcome {
    bool called = false;
    std::string reply;  // the reply's text or number as text; the problem when not called
};

CallOutcome CallPage(const std::string& function, const std::string* argument)
{
    CallOutcome outcome;
    Sim::UserInterface* ui = Sim::UserInterface::Current();
    if (ui == nullptr) {
        outcome.reply = "the host has no user interface";
        return outcome;
    }
    GS::Ref<JS::Base> value;
    if (argument != nullptr)
        value = new JS::Value(Sim::Uni(*argument));
    Sim::JsCallResult result = ui->CallJsFunction(ScriptObject, function, value);
    outcome.called = result.called;
    if (!result.called) {
        outcome.reply = result.problem;
        return outcome;
    }
    GS::Ref<JS::Value> reply = GS::DynamicCast<JS::Value>(result.reply);
    if (reply == nullptr)
        return outcome;
    switch (reply->GetType()) {
        case JS::Value::STRING: outcome.reply = Sim::Utf8(reply->GetString()); break;
        case JS::Value::INTEGER: outcome.reply = std::to_string(reply->GetInteger()); break;
        case JS::Value::UINTEGER: outcome.reply = std::to_string(reply->GetUInteger()); break;
        case JS::Value::DOUBLE: outcome.reply = std::to_string(reply->GetDouble()); break;
        case JS::Value::BOOL: outcome.reply = reply->GetBool() ? "true" : "false"; break;
        default: break;
    }
    return outcome;
}

// What the project holds, to tell what one import changed.
struct ProjectCounts {
    size_t buildingMaterials = 0;
    size_t composites = 0;
    size_t libraryParts = 0;
    size_t libraries = 0;
    size_t elementsWithProperties = 0;
};

size_t ElementsWithProperties(const Sim::Project& project)
{
    return static_cast<size_t>(std::count_if(project.elements.All().begin(), project.elements.All().end(),
                                             [](const auto& element) { return !element.attached.propertyValues.empty(); }));
}

ProjectCounts Count(const Sim::Project& project)
{
    ProjectCounts counts;
    counts.buildingMaterials = project.attributes.buildingMaterials.Size();
    counts.composites = project.attributes.composites.Size();
    counts.libraryParts = project.libraries.parts.size();
    counts.libraries = project.libraries.list.size() + (project.libraries.hasEmbeddedLibrary ? 1 : 0);
    counts.elementsWithProperties = ElementsWithProperties(project);
    return counts;
}

std::string Changes(const ProjectCounts& before, const ProjectCounts& after)
{
    std::string text;
    auto add = [&text](size_t from, size_t to, const char* what) {
        if (to > from)
            text += (text.empty() ? "" : ", ") + std::string("+") + std::to_string(to - from) + " " + what;
    };
    add(before.buildingMaterials, after.buildingMaterials, "building material(s)");
    add(before.composites, after.composites, "composite(s)");
    add(before.libraryParts, after.libraryParts, "library part(s)");
    add(before.libraries, after.libraries, "library list entry(ies)");
    add(before.elementsWithProperties, after.elementsWithProperties, "element(s) with properties");
    return text.empty() ? "no new project content" : text;
}

// "imported" or "failed" from the page's reply {"IsError", "ShowError"}.
std::string ImportStatus(const CallOutcome& outcome)
{
    if (!outcome.called)
        return "not called (" + outcome.reply + ")";
    Json reply = Json::parse(outcome.reply, nullptr, false);
    if (!reply.is_object() || !reply.contains("IsError") || !reply["IsError"].is_boolean())
        return "unexpected reply " + outcome.reply;
    return reply["IsError"].get<bool>() ? "failed" : "imported";
}

const char* ElementTypeName(API_ElemTypeID type)
{
    switch (type) {
        case API_WallID: return "wall";
        case API_ColumnID: return "column";
        case API_BeamID: return "beam";
        case API_WindowID: return "window";
        case API_DoorID: return "door";
        case API_SlabID: return "slab";
        case API_RoofID: return "roof";
        case API_ObjectID: return "object";
        case API_CurtainWallID: return "curtain wall";
        case API_StairID: return "stair";
        default: return "element";
    }
}

std::vector<fs::path> SamplePayloads()
{
    std::vector<fs::path> payloads;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(ExamplesFolder() / "payloads", ec))
        if (entry.path().extension() == ".json")
            payloads.push_back(entry.path());
    std::sort(payloads.begin(), payloads.end());
    return payloads;
}

int RunDemo(CommandContext& context, const fs::path& outFolder)
{
    Sim::Host& host = context.session.GetHost();
    std::ostream& out = context.out;

    std::error_code ec;
    fs::create_directories(outFolder, ec);
    if (!fs::is_directory(outFolder)) {
        context.err << "corvana-host: the folder " << Sim::PathUtf8(outFolder) << " cannot be made\n";
        return 1;
    }

    std::string projectFile = context.session.Options().projectFile;
    if (projectFile.empty()) {
        projectFile = Sim::PathUtf8(ExamplesFolder() / "House.json");
        std::string problem;
        if (!Sim::OpenProjectFile(host, projectFile, &problem)) {
            context.err << "corvana-host: the sample project is refused: " << problem << "\n";
            return 1;
        }
        host.RaiseProjectEvent(APINotify_Open);
    }
    out << "Project: " << host.GetProject().DisplayName() << " (" << projectFile << ")\n";
    const ProjectCounts start = Count(host.GetProject());
    out << "  " << start.buildingMaterials << " building materials, " << start.composites << " composites, "
        << host.GetProject().elements.All().size() << " elements, " << start.libraryParts << " library parts\n\n";

    Json replies = Json::array();
    out << "Imports:\n";
    for (const fs::path& payload : SamplePayloads()) {
        std::string text;
        if (!ReadFile(payload, &text)) {
            out << "  " << Sim::PathUtf8(payload.filename()) << ": cannot be read\n";
            continue;
        }
        text = WithExamplesFolder(text);
        Json document = Json::parse(text, nullptr, false);
        std::string type = "?", name = "?";
        if (document.is_object() && document.contains("data") && document["data"].is_object()) {
            const Json& data = document["data"];
            if (data.contains("import_type") && data["import_type"].is_string())
                type = data["import_type"].get<std::string>();
            if (data.contains("name") && data["name"].is_string())
                name = data["name"].get<std::string>();
        }
        const ProjectCounts before = Count(host.GetProject());
        const CallOutcome outcome = CallPage("import", &text);
        const std::string status = ImportStatus(outcome);
        out << "  " << Sim::PathUtf8(payload.filename()) << ": " << type << " \"" << name << "\": " << status << " ("
            << Changes(before, Count(host.GetProject())) << ")\n";
        replies.push_back({{"function", "import"}, {"payload", Sim::PathUtf8(payload.filename())}, {"reply", outcome.reply}});
    }

    std::string request;
    if (!ReadFile(ExamplesFolder() / "requests" / "update-status.json", &request))
        request = R"({"materials_and_products": []})";
    const CallOutcome status = CallPage("updateStatus", &request);
    out << "\nOutdated items (updateStatus): " << (status.called ? status.reply : "not called: " + status.reply)
        << "\n";
    replies.push_back({{"function", "updateStatus"}, {"reply", status.reply}});

    const CallOutcome calculation = CallPage("getCalculationData", nullptr);
    Json calculationJson = Json::parse(calculation.reply, nullptr, false);
    out << "Calculation data (getCalculationData): ";
    if (!calculation.called)
        out << "not called: " << calculation.reply << "\n";
    else if (calculationJson.is_object()) {
        out << "\n";
        WriteCalculationTables(calculationJson, out);
    } else
        out << calculation.reply << "\n";
    replies.push_back({{"function", "getCalculationData"}, {"reply", calculation.reply}});

    out << "\nElements with catalogue properties:\n";
    size_t stamped = 0;
    for (const auto& element : host.GetProject().elements.All()) {
        if (element.attached.propertyValues.empty())
            continue;
        ++stamped;
        out << "  " << ElementTypeName(element.type) << " " << Sim::Utf8(APIGuidToString(element.guid))
            << ": " << element.attached.propertyValues.size() << " property values\n";
    }
    if (stamped == 0)
        out << "  none\n";

    bool written = WriteFile(outFolder / "replies.json", replies.dump(2) + "\n");
    written = WriteFile(outFolder / "calculation.json", calculation.reply + "\n") && written;
    written = WriteFile(outFolder / "transcript.jsonl", host.GetTranscript().ToJsonLines()) && written;
    std::string problem;
    if (!context.session.SaveProject(Sim::PathUtf8(outFolder / "project.json"), &problem)) {
        context.err << "corvana-host: " << problem << "\n";
        written = false;
    }
    // The add-on writes its log in the working folder; the demo keeps a copy with its other results.
    if (fs::exists("log.txt", ec))
        fs::copy_file("log.txt", outFolder / "log.txt", fs::copy_options::overwrite_existing, ec);
    out << "\nWritten to " << Sim::PathUtf8(outFolder)
        << ": project.json, calculation.json, replies.json, transcript.jsonl, log.txt\n";
    if (!written) {
        context.err << "corvana-host: not every result could be written to " << Sim::PathUtf8(outFolder) << "\n";
        return 1;
    }
    return 0;
}

}  // namespace

CommandAction PrepareDemo(const std::vector<std::string>& arguments)
{
    fs::path outFolder = "out/demo";
    if (!arguments.empty()) {
        if (arguments.size() != 2 || arguments[0] != "--out" || arguments[1].empty())
            throw UsageError("usage: demo [--out DIR]");
        outFolder = Sim::PathFromUtf8(arguments[1]);
    }
    return [outFolder](CommandContext& context) { return RunDemo(context, outFolder); };
}

}  // namespace CorvanaHost
