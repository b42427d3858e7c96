// An "Abort" given while a single import stamps the model ends that stamping, and is not left behind for
// whatever reads the bulk run's abort flag next.
#include "ModelScene.hpp"

#include "Support/ModuleState.hpp"
#include "Import/ImportManager.hpp"
#include "ProjectWriter/ElementLists.hpp"
#include "Support/InProcessModule.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

using QRVTest::ElementIn;
using QRVTest::PlaceElement;

const char* const Payload =
    R"({"data":{"import_type":"system","id":9,"name":"Stamped system","system_type":"Wall","updated_at":5,)"
    R"("tabs":[],"materials":[{"articles":[{"id":3,"name":"Stamped skin","updated_at":1,"tabs":[]}]}],)"
    R"("layers":[{"layer_type":"Core","thickness":20}]}})";

class SingleImportAbort : public QRVTest::InProcessModuleFixture {
protected:
    Sim::HostOptions Options() const override
    {
        Sim::HostOptions options;
        options.cancelProcessAt = 1;  // the first look at the process window's cancel
        return options;
    }
    void CleanUpModuleState() override
    {
        QRV::ClearElementLists();
        QRV::SetBulkImportAborted(false);
    }
};

TEST_F(SingleImportAbort, EndsTheStampingAndClearsTheFlagWhenTheImportEnds)
{
    ASSERT_TRUE(QRV::ImportManager::Import(GS::UniString(Payload)));  // no elements yet: nothing to cancel
    const auto* composite = host->GetProject().attributes.composites.FindByName("Stamped system");
    ASSERT_NE(composite, nullptr);
    const API_Guid first = PlaceElement(*host, API_WallID, composite->index);
    const API_Guid second = PlaceElement(*host, API_WallID, composite->index);

    host->QueueAlertAnswer("Continue");  // the composite exists
    host->QueueAlertAnswer("Continue");  // so does its skin material
    host->QueueAlertAnswer("Abort");
    EXPECT_TRUE(QRV::ImportManager::Import(GS::UniString(Payload)));

    const auto alerts = host->GetTranscript().EventsOfKind("alert");
    ASSERT_EQ(alerts.size(), 3u);
    EXPECT_EQ(alerts[2].at("buttons").dump(), R"(["Cancel","Abort"])");
    EXPECT_FALSE(ElementIn(*host, first)->attached.propertyValues.empty()) << "stamped before the abort";
    EXPECT_TRUE(ElementIn(*host, second)->attached.propertyValues.empty()) << "the abort ended the stamping";
    EXPECT_FALSE(QRV::IsBulkImportAborted()) << "the abort was this import's only";
}

}  // namespace
