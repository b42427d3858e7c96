// The add-on's library import: target folder, containers, untrusted names, failures that register nothing,
// and the choice between container and single part.
#include "Import/ImportManager.hpp"
#include "Parsing/PayloadReading.hpp"
#include "Import/LibraryImporter.hpp"
#include "Import/LibraryPartImporter.hpp"
#include "LibraryFixture.hpp"
#include "Parsing/Items/CorvanaLibrary.hpp"
#include "Parsing/Items/CorvanaLibraryPart.hpp"
#include "ProjectWriter/ACLink.hpp"
#include "SimUtf8.hpp"

namespace LibraryTest {
namespace {

using TargetFolderTest = LibraryFixture;

TEST_F(TargetFolderTest, WithoutEmbeddedLibraryTheDocumentsFolderJoinsTheListOnce)
{
    QRV::ACLink link;
    for (int round = 0; round < 2; ++round) {
        std::unique_ptr<IO::Location> folder;
        ASSERT_EQ(link.GetTargetLibraryFolder(&folder), NoError);
        ASSERT_TRUE(folder);
        GS::UniString path;
        ASSERT_EQ(folder->ToPath(&path), NoError);
        EXPECT_EQ(fs::path(Sim::Utf8(path)), Documents() / "Corvana");
        EXPECT_TRUE(fs::is_directory(Documents() / "Corvana"));
    }
    ASSERT_EQ(Libraries().list.size(), 1u);
    EXPECT_EQ(fs::path(Libraries().list[0].location), Documents() / "Corvana");
}

TEST_F(TargetFolderTest, WithEmbeddedLibraryTheCorvanaFolderInsideItLeavesTheListAlone)
{
    Libraries().hasEmbeddedLibrary = true;
    QRV::ACLink link;
    std::unique_ptr<IO::Location> folder;
    ASSERT_EQ(link.GetTargetLibraryFolder(&folder), NoError);
    GS::UniString path;
    ASSERT_EQ(folder->ToPath(&path), NoError);
    EXPECT_EQ(fs::path(Sim::Utf8(path)), Embedded() / "Corvana");
    EXPECT_TRUE(Libraries().list.empty());
}

TEST_F(TargetFolderTest, ListThatCannotBeReadOrSetIsAFailure)
{
    QRV::ACLink link;
    std::unique_ptr<IO::Location> folder;
    host->GetFaults().FailNext("ACAPI_LibraryManagement_GetLibraries", APIERR_GENERAL);
    EXPECT_EQ(link.GetTargetLibraryFolder(&folder), APIERR_GENERAL);
    host->GetFaults().FailNext("ACAPI_LibraryManagement_SetLibraries", APIERR_MEMFULL);
    EXPECT_EQ(link.GetTargetLibraryFolder(&folder), APIERR_MEMFULL);
    EXPECT_FALSE(folder);
    EXPECT_TRUE(Libraries().list.empty());
}

using ContainerImportTest = LibraryFixture;

TEST_F(ContainerImportTest, EachImportAddsItsDownloadedContainerOnce)
{
    ASSERT_TRUE(QRV::ImportManager::Import(Sim::Uni(ProductPayload("Door", Serve("door.lcf")))));
    ASSERT_TRUE(QRV::ImportManager::Import(Sim::Uni(ProductPayload("Window", Serve("window.lcf")))));
    ASSERT_TRUE(QRV::ImportManager::Import(Sim::Uni(ProductPayload("Door", Serve("door.lcf")))));

    ASSERT_EQ(Libraries().list.size(), 2u);
    EXPECT_EQ(fs::path(Libraries().list[0].location), Temp() / "Door.lcf");
    EXPECT_EQ(Libraries().list[0].name, "Door");
    EXPECT_EQ(fs::path(Libraries().list[1].location), Temp() / "Window.lcf");
    EXPECT_TRUE(fs::is_regular_file(Temp() / "Door.lcf"));
    EXPECT_TRUE(Libraries().parts.empty());
}

TEST_F(ContainerImportTest, FailedDownloadOrRefusedListAddsNothing)
{
    EXPECT_FALSE(QRV::ImportManager::Import(Sim::Uni(ProductPayload("Door", "file://" + (served / "gone.lcf").string()))));
    EXPECT_TRUE(Libraries().list.empty());
    EXPECT_FALSE(fs::exists(Temp() / "Door.lcf"));

    host->GetFaults().FailNext("ACAPI_LibraryManagement_SetLibraries", APIERR_GENERAL);
    EXPECT_FALSE(QRV::ImportManager::Import(Sim::Uni(ProductPayload("Door", Serve("door.lcf")))));
    EXPECT_TRUE(Libraries().list.empty());
}

class UntrustedNameTest : public LibraryFixture {
protected:
    // Imports a part and a container whose file name is `fileName`; both must fail and leave every folder
    // as it was, apart from the host's own special folders.
    void ExpectRefused(const std::string& fileName)
    {
        SCOPED_TRACE(fileName);
        const std::string address = Serve("payload.bin");
        const std::set<std::string> before = Tree(scratch);

        QRV::CorvanaLibraryPart part;
        part.SetFileName(GS::UniString(fileName));
        part.SetFileUrl(GS::UniString(address));
        EXPECT_FALSE(QRV::ACLink().ImportLibraryPart(part));
        QRV::CorvanaLibrary library;
        library.SetFileName(GS::UniString(fileName));
        library.SetFileUrl(GS::UniString(address));
        EXPECT_FALSE(QRV::ACLink().ImportLibrary(library));

        std::set<std::string> after = Tree(scratch);
        for (const char* hostFolder : {"home", "home/Temp", "home/Documents", "home/Programs"})
            after.erase(hostFolder);
        std::set<std::string> expected = before;
        for (const char* hostFolder : {"home", "home/Temp", "home/Documents", "home/Programs"})
            expected.erase(hostFolder);
        EXPECT_EQ(after, expected);
        EXPECT_TRUE(Libraries().parts.empty());
        EXPECT_TRUE(Libraries().list.empty());
    }
};

TEST_F(UntrustedNameTest, NamesThatWouldLeaveTheFolderAreRefused)
{
    for (const char* name : {"../escape.gsm", "../../served/payload.bin", "sub/part.gsm", "sub\\part.gsm", "C:part.gsm",
                             "/tmp/abs.gsm", "..", ".", "", ".gsm", "tab\tpart.gsm", "line\npart.gsm"})
        ExpectRefused(name);
    ExpectRefused(std::string(300, 'x') + ".gsm");
}

TEST_F(UntrustedNameTest, CatalogueNamesWithSeparatorsFailTheImport)
{
    Libraries().hasEmbeddedLibrary = true;
    const std::string part = Serve("x.gsm");
    const std::string container = Serve("x.lcf");
    const std::set<std::string> before = Tree(scratch);
    EXPECT_FALSE(QRV::ImportManager::Import(Sim::Uni(ProductPayload("../../../escape", part))));
    EXPECT_FALSE(QRV::ImportManager::Import(Sim::Uni(ProductPayload("..\\..\\escape", container))));
    EXPECT_FALSE(fs::exists(scratch / "escape.gsm"));
    EXPECT_FALSE(fs::exists(home / "escape.gsm"));
    EXPECT_TRUE(Libraries().parts.empty());
    EXPECT_TRUE(Libraries().list.empty());
    std::set<std::string> added;
    for (const auto& entry : Tree(scratch))
        if (before.count(entry) == 0)
            added.insert(entry);
    for (const auto& entry : added)
        EXPECT_TRUE(entry.rfind("home/", 0) == 0 && entry.find("escape") == std::string::npos) << entry;
}

using FailedPartImportTest = LibraryFixture;

TEST_F(FailedPartImportTest, FailedDownloadCopyOrRegistrationRegistersNothing)
{
    QRV::CorvanaLibraryPart part;
    part.SetFileName("Chair.gsm");

    part.SetFileUrl(GS::UniString("file://" + (served / "gone.gsm").string()));
    EXPECT_FALSE(QRV::ACLink().ImportLibraryPart(part));
    EXPECT_TRUE(Libraries().list.empty()) << "the documents folder joined the list for a failed download";
    EXPECT_FALSE(fs::exists(Documents() / "Corvana" / "Chair.gsm"));

    part.SetFileUrl(GS::UniString(Serve("chair.gsm")));
    host->GetFaults().FailNext("ACAPI_LibraryManagement_CopyFilesIntoLibrary", APIERR_GENERAL);
    EXPECT_FALSE(QRV::ACLink().ImportLibraryPart(part));
    EXPECT_FALSE(fs::exists(Documents() / "Corvana" / "Chair.gsm"));

    host->GetFaults().FailNext("ACAPI_LibraryPart_Register", APIERR_BADPARS);
    EXPECT_FALSE(QRV::ACLink().ImportLibraryPart(part));
    EXPECT_TRUE(Libraries().parts.empty());
    EXPECT_EQ(part.GetLibPart().index, 0);
}

using BulkProductTest = LibraryFixture;

TEST_F(BulkProductTest, ABulkListNeverAsksAboutAPartAlreadyInTheProject)
{
    const std::string lounge =
        QRVTest::FileAddress(std::string(CORVANA_SOURCE_DIR) + "/Examples/library/LoungeChair.gsm");
    ASSERT_TRUE(QRV::ImportManager::Import(Sim::Uni(ProductPayload("Lounge", lounge))));
    ASSERT_EQ(Libraries().parts.size(), 1u);

    // The part is in the project, and the list holds it twice.
    const nlohmann::json element = nlohmann::json::parse(ProductPayload("Lounge", lounge))["data"];
    const QRV::Json statuses =
        QRV::ImportManager::BulkImportNonSystem(QRV::Payload::Parse(Sim::Uni(nlohmann::json::array({element, element}).dump())));
    ASSERT_EQ(statuses.size(), 2u);
    for (const QRV::Json& status : statuses)
        EXPECT_EQ(status["status"], "undefined") << statuses.dump();
    EXPECT_TRUE(host->GetTranscript().EventsOfKind("alert").empty()) << "a bulk run asked a question";
    EXPECT_EQ(Libraries().parts.size(), 1u);

    // A single import of the same part still asks.
    host->QueueAlertAnswer("Reject");
    EXPECT_FALSE(QRV::ImportManager::Import(Sim::Uni(ProductPayload("Lounge", lounge))));
    EXPECT_EQ(host->GetTranscript().EventsOfKind("alert").size(), 1u);
}

// The library keeps its own copy of a part; the one downloaded into the temporary folder goes, whether
// the copy into the library worked or not.
TEST_F(FailedPartImportTest, AnImportedPartLeavesNoCopyInTheTemporaryFolder)
{
    ASSERT_TRUE(QRV::ImportManager::Import(Sim::Uni(ProductPayload("Chair", Serve("Chair.gsm")))));
    EXPECT_TRUE(fs::is_regular_file(Documents() / "Corvana" / "Chair.gsm"));
    EXPECT_FALSE(fs::exists(Temp() / "Chair.gsm"));
    EXPECT_TRUE(fs::is_regular_file(served / "Chair.gsm"));

    QRV::CorvanaLibraryPart part;
    part.SetFileName("Stool.gsm");
    part.SetFileUrl(GS::UniString(Serve("Stool.gsm")));
    host->GetFaults().FailNext("ACAPI_LibraryManagement_CopyFilesIntoLibrary", APIERR_GENERAL);
    EXPECT_FALSE(QRV::ACLink().ImportLibraryPart(part));
    EXPECT_FALSE(fs::exists(Temp() / "Stool.gsm"));
}

using ImporterChoiceTest = LibraryFixture;

TEST_F(ImporterChoiceTest, LastThreeCharactersOfTheAddressPickTheImporter)
{
    auto kinds = [](const std::string& url) {
        std::vector<std::string> result;
        for (const auto& importer : QRV::ImportManager::GetImporter(QRV::Payload::Parse(ProductPayload("Door", url)))) {
            if (dynamic_cast<QRV::LibraryImporter*>(importer.get()) != nullptr)
                result.push_back("library");
            else if (dynamic_cast<QRV::LibraryPartImporter*>(importer.get()) != nullptr)
                result.push_back("part");
            else
                result.push_back("other");
        }
        return result;
    };
    using List = std::vector<std::string>;
    EXPECT_EQ(kinds("https://catalogue.example/Door.lcf"), List{"library"});
    EXPECT_EQ(kinds("https://catalogue.example/download?format=lcf"), List{"library"});
    EXPECT_EQ(kinds("https://catalogue.example/Door.gsm"), List{"part"});
    EXPECT_EQ(kinds("https://catalogue.example/Door.LCF"), List{"part"});
    EXPECT_EQ(kinds("https://catalogue.example/Door.lcf?"), List{"part"});
    EXPECT_EQ(kinds(""), List{});
    EXPECT_FALSE(QRV::ImportManager::Import(Sim::Uni(ProductPayload("Door", ""))));
}

}  // namespace
}  // namespace LibraryTest
