// The module started in-process on a fresh host, with helpers to build bulk lists and to read what the
// settings dialog and the progress palette showed. Each test leaves no module-wide bulk state behind.
#pragma once

#include "Support/InProcessModule.hpp"
#include "Support/UiSupport.hpp"

#include "BulkImport/BulkImportProgressManager.hpp"
#include "Support/ModuleState.hpp"
#include "ProjectWriter/ElementLists.hpp"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace QRVTest {

class BulkImportFixture : public InProcessModuleFixture {
protected:
    using Json = nlohmann::json;

    void CleanUpModuleState() override
    {
        QRV::BulkImportProgressManager& manager = QRV::BulkImportProgressManager::GetInstance();
        if (QRV::BulkImportProgressDlg* palette = manager.FindPalette())
            manager.PaletteDisposed(palette);
        QRV::ClearElementLists();
        QRV::SetBulkImportScope(QRV::BulkImportScope::LibraryOnly);
        QRV::SetBulkImportAborted(false);
    }

    Sim::UserInterface& ui() { return Ui(*host); }

    // A construction system of the bulk list with `materials` material entries.
    static Json System(int id, const std::string& name, int materials)
    {
        Json system = {{"import_type", "system"}, {"id", id}, {"name", name}, {"image", name + ".png"}};
        system["materials"] = Json::array();
        for (int i = 0; i < materials; ++i)
            system["materials"].push_back({{"name", name + " material " + std::to_string(i + 1)}});
        return system;
    }

    // A building material of the bulk list that the import path can write today.
    static Json Material(int id, const std::string& name)
    {
        return {{"import_type", "Material"},
                {"id", id},
                {"name", name},
                {"articles", Json::array({{{"id", id}, {"name", name + " board"}, {"updated_at", 1}}})}};
    }

    // The "dialog" events of the transcript: one per settings dialog shown.
    std::vector<nlohmann::ordered_json> Dialogs() { return host->GetTranscript().EventsOfKind("dialog"); }

    // The texts the progress palette's item showed, in order.
    std::vector<std::string> ProgressTexts(short item)
    {
        std::vector<std::string> texts;
        for (const auto& event : EventsWhere(*host, "palette", "title", "Bulk Import Progress"))
            if (event["event"] == "itemText" && event["item"] == item)
                texts.push_back(event["text"].get<std::string>());
        return texts;
    }

    // The values the progress bar was given, in order, with the bounds of the last one.
    std::vector<Int32> ProgressValues(Int32* maximum = nullptr)
    {
        std::vector<Int32> values;
        for (const auto& event : host->GetTranscript().EventsOfKind("progress")) {
            values.push_back(event["value"].get<Int32>());
            if (maximum != nullptr)
                *maximum = event["max"].get<Int32>();
        }
        return values;
    }

    long ProcessWindowsOpened() { return host->GetFaults().CallCount("ACAPI_ProcessWindow_InitProcessWindow"); }
};

}  // namespace QRVTest
