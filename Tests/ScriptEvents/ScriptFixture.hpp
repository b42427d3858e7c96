// What the script tests share: the sample house and its payloads, a script run with its saved project, and
// readings of the printed lines and of the saved project.
#pragma once

#include "Support/HostProcess.hpp"
#include "Support/FileAddress.hpp"

#include <filesystem>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace ScriptTest {

namespace fs = std::filesystem;
using nlohmann::json;
using QRVTest::HostRun;

inline const std::string Examples = std::string(CORVANA_SOURCE_DIR) + "/Examples";
inline const std::string House = Examples + "/House.json";
inline const std::string WallSystem = Examples + "/payloads/02-system-wall.json";
// The sample house's composites the scripts use.
constexpr int TimberFrameComposite = 1;  // "Timber frame wall TF-240", the system the wall payload replaces
constexpr int RoofComposite = 3;         // "Pitched roof PR-300": no catalogue user data

// "GROUP/NAME" -> value of every property value attached to an element of a saved project.
using Values = std::map<std::string, std::string>;

class ScriptFixture : public QRVTest::HostProcessTest {
protected:
    // Runs `steps` as a script on `project`, saving to dir/SAVE; the lines are checked to be JSON.
    HostRun RunScript(const std::string& project, const json& steps, const std::string& save,
                      std::vector<std::string> options = {})
    {
        const std::string script = WriteFile(save + ".script.json", steps.dump(2));
        std::vector<std::string> args = {"--project", project, "--save", (dir / save).string()};
        args.insert(args.end(), options.begin(), options.end());
        args.insert(args.end(), {"script", script});
        return RunAtHome(args);
    }

    json Saved(const std::string& save) const
    {
        json project = json::parse(QRVTest::ReadWholeFile(dir / save), nullptr, false);
        EXPECT_TRUE(project.is_object()) << save << " is no saved project";
        return project;
    }

    static const json* FindElement(const json& project, const std::string& guid)
    {
        for (const auto& element : project["elements"])
            if (element["guid"] == guid)
                return &element;
        return nullptr;
    }

    static Values ValuesOf(const json& project, const std::string& guid)
    {
        std::map<std::string, std::string> groups;
        for (const auto& group : project["properties"]["groups"])
            groups[group["guid"]] = group["name"];
        std::map<std::string, std::string> definitions;
        for (const auto& definition : project["properties"]["definitions"])
            definitions[definition["guid"]] =
                groups[definition["group"].get<std::string>()] + "/" + definition["name"].get<std::string>();
        Values values;
        const json* element = FindElement(project, guid);
        EXPECT_NE(element, nullptr) << "no element " << guid;
        if (element != nullptr && element->contains("attached") && (*element)["attached"].contains("propertyValues"))
            for (const auto& value : (*element)["attached"]["propertyValues"])
                values[definitions[value["definition"].get<std::string>()]] = value["value"];
        return values;
    }

    static bool IsClassifiedCorvana(const json& project, const std::string& guid)
    {
        std::string corvanaSystem;
        for (const auto& system : project["classificationSystems"])
            if (system["name"] == "Corvana")
                corvanaSystem = system["guid"];
        const json* element = FindElement(project, guid);
        if (element == nullptr || corvanaSystem.empty() || !element->contains("attached"))
            return false;
        for (const auto& pair : (*element)["attached"].value("classification", json::array()))
            if (pair["system"] == corvanaSystem)
                return true;
        return false;
    }

    // The notifications a step's line shows, as (kind, GUID, handler's answer).
    static std::vector<std::tuple<int, std::string, int>> Notifications(const json& line)
    {
        std::vector<std::tuple<int, std::string, int>> found;
        for (const auto& event : line["shown"])
            if (event["kind"] == "notification")
                found.emplace_back(event["notifID"].get<int>(), event["guid"].get<std::string>(),
                                   event["result"].get<int>());
        return found;
    }

    static std::vector<std::string> DebugTexts(const json& line)
    {
        std::vector<std::string> texts;
        for (const auto& event : line["shown"])
            if (event["kind"] == "debug")
                texts.push_back(event["text"]);
        return texts;
    }

    static std::vector<std::string> EventKinds(const json& line)
    {
        std::vector<std::string> kinds;
        for (const auto& event : line["shown"])
            kinds.push_back(event["kind"]);
        return kinds;
    }

    // The lounge chair product, its file served from a local file address as the demo serves it.
    std::string ChairPayload(const std::string& seatHeight) const
    {
        json payload = json::parse(QRVTest::ReadWholeFile(Examples + "/payloads/04-product-lounge-chair.json"));
        payload["data"]["file_url"] = QRVTest::FileAddress(Examples + "/library/LoungeChair.gsm");
        payload["data"]["product_tabs"][0]["attributes"][2]["value"] = seatHeight;
        return WriteFile("chair-" + seatHeight + ".json", payload.dump());
    }
};

}  // namespace ScriptTest
