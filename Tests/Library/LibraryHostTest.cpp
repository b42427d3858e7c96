// The host's library list, library part registration, parameter sections, file copy and special folders.
#include "ACAPinc.h"
#include "LibraryFixture.hpp"
#include "Model/ProjectFile.hpp"
#include "SimUtf8.hpp"
#include "Support/HostProcess.hpp"

#include <cstring>
#include <string>
#include <deque>
#include <regex>

namespace LibraryTest {
namespace {

template <size_t N>
void SetWide(GS::uchar_t (&field)[N], const std::string& utf8)
{
    std::memset(field, 0, sizeof field);
    GS::ucsncpy(field, GS::UniString(utf8.c_str(), CC_UTF8).ToUStr().Get(), N - 1);
}

template <size_t N>
std::string Wide(const GS::uchar_t (&field)[N])
{
    return Sim::Utf8(GS::UniString(field));
}

// The records point at their locations; these stay for the whole test program.
IO::Location* KeptLocation(const fs::path& file)
{
    static std::deque<IO::Location> kept;
    kept.emplace_back(Sim::Uni(file.string()));
    return &kept.back();
}

API_LibPart PartRecord(const fs::path& file, const std::string& name = "")
{
    API_LibPart part;
    std::memset(&part, 0, sizeof part);
    part.location = KeptLocation(file);
    SetWide(part.docu_UName, name);
    return part;
}

fs::path PathOf(const IO::Location* location)
{
    GS::UniString path;
    if (location != nullptr)
        location->ToPath(&path);
    return fs::path(Sim::Utf8(path));
}

// The path of a location the host made for the record, which is deleted here.
fs::path TakeLocation(API_LibPart& part)
{
    GS::UniString path;
    if (part.location != nullptr)
        part.location->ToPath(&path);
    delete part.location;
    part.location = nullptr;
    return fs::path(Sim::Utf8(path));
}

std::vector<API_AddParType> ReadParameters(Int32 index)
{
    API_LibPartSection section{API_SectParamDef, 0};
    GSHandle handle = nullptr;
    EXPECT_EQ(ACAPI_LibraryPart_GetSection(index, &section, &handle, nullptr), NoError);
    std::vector<API_AddParType> parameters;
    if (handle != nullptr) {
        auto* records = reinterpret_cast<API_AddParType*>(*handle);
        parameters.assign(records, records + BMGetHandleSize(handle) / static_cast<Int32>(sizeof(API_AddParType)));
        BMKillHandle(&handle);
    }
    return parameters;
}

GSErrCode WriteParameters(Int32 index, const std::vector<API_AddParType>& parameters)
{
    API_LibPartSection section{API_SectParamDef, 0};
    GSHandle handle = BMAllocateHandle(static_cast<Int32>(parameters.size() * sizeof(API_AddParType)), ALLOCATE_CLEAR, 0);
    std::memcpy(*handle, parameters.data(), parameters.size() * sizeof(API_AddParType));
    GSErrCode err = ACAPI_LibraryPart_UpdateSection(index, &section, handle, nullptr);
    BMKillHandle(&handle);
    return err;
}

API_AddParType TextParameter(const char* name, const std::string& value)
{
    API_AddParType parameter;
    std::memset(&parameter, 0, sizeof parameter);
    parameter.typeID = APIParT_CString;
    std::strcpy(parameter.name, name);
    SetWide(parameter.value.uStr, value);
    return parameter;
}

using LibraryListTest = LibraryFixture;

TEST_F(LibraryListTest, EmbeddedLibraryIsARealFolderListedFirstAndKeptBySetLibraries)
{
    GS::Array<API_LibraryInfo> list;
    Int32 embedded = 5;
    ASSERT_EQ(ACAPI_LibraryManagement_GetLibraries(&list, &embedded), NoError);
    EXPECT_EQ(embedded, -1);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_FALSE(fs::exists(Embedded()));

    Libraries().hasEmbeddedLibrary = true;
    ASSERT_EQ(ACAPI_LibraryManagement_GetLibraries(&list, &embedded), NoError);
    ASSERT_EQ(list.GetSize(), 1u);
    EXPECT_EQ(embedded, 0);
    GS::UniString path;
    ASSERT_EQ(list[0].location.ToPath(&path), NoError);
    EXPECT_EQ(fs::path(Sim::Utf8(path)), Embedded());
    EXPECT_TRUE(fs::is_directory(Embedded()));

    // A list without the embedded library, with a location twice: the embedded one stays, the twin goes.
    GS::Array<API_LibraryInfo> replaced;
    replaced.Push(API_LibraryInfo{IO::Location(GS::UniString((scratch / "lib").string())), "Lib", API_LocalLibrary});
    replaced.Push(
        API_LibraryInfo{IO::Location(GS::UniString((scratch / "lib/").string())), "Again", API_LocalLibrary});
    ASSERT_EQ(ACAPI_LibraryManagement_SetLibraries(&replaced), NoError);
    ASSERT_EQ(ACAPI_LibraryManagement_GetLibraries(&list, &embedded), NoError);
    ASSERT_EQ(list.GetSize(), 2u);
    EXPECT_EQ(embedded, 0);
    EXPECT_EQ(list[1].name, GS::UniString("Lib"));

    GS::Array<API_LibraryInfo> empty;
    empty.Push(API_LibraryInfo{IO::Location(), "Nowhere", API_LocalLibrary});
    EXPECT_EQ(ACAPI_LibraryManagement_SetLibraries(&empty), APIERR_BADPARS);
    EXPECT_EQ(Libraries().list.size(), 1u);
}

using LibraryPartTest = LibraryFixture;

TEST_F(LibraryPartTest, RegistersOnlyExistingFilesOfActiveLibraries)
{
    Libraries().hasEmbeddedLibrary = true;
    GS::Array<API_LibraryInfo> list;
    ASSERT_EQ(ACAPI_LibraryManagement_GetLibraries(&list, nullptr), NoError);

    API_LibPart missing = PartRecord(Embedded() / "Missing.gsm");
    EXPECT_EQ(ACAPI_LibraryPart_Register(&missing), APIERR_BADPARS);
    WriteText(scratch / "outside" / "Loose.gsm", "x");
    API_LibPart outside = PartRecord(scratch / "outside" / "Loose.gsm");
    EXPECT_EQ(ACAPI_LibraryPart_Register(&outside), APIERR_BADPARS);
    EXPECT_TRUE(Libraries().parts.empty());

    WriteText(Embedded() / "Corvana" / "Chair.gsm", "x");
    API_LibPart chair = PartRecord(Embedded() / "Corvana" / "Chair.gsm", "Chair.gsm");
    ASSERT_EQ(ACAPI_LibraryPart_Register(&chair), NoError);
    EXPECT_EQ(chair.index, 1);
    EXPECT_TRUE(std::regex_match(chair.ownUnID, std::regex(R"(\{[0-9A-F-]{36}\}-\{[0-9A-F-]{36}\})")))
        << chair.ownUnID;
    EXPECT_EQ(Wide(chair.file_UName), "Chair.gsm");
    EXPECT_EQ(Wide(chair.docu_UName), "Chair") << "the document name is the file's name without its extension";
    EXPECT_TRUE(Libraries().parts[0].inEmbeddedLibrary);
    EXPECT_EQ(Libraries().parts[0].location, "Corvana/Chair.gsm");

    // The same file again keeps its index and identifier.
    API_LibPart again = PartRecord(Embedded() / "Corvana" / "Chair.gsm", "Chair.gsm");
    ASSERT_EQ(ACAPI_LibraryPart_Register(&again), NoError);
    EXPECT_EQ(again.index, 1);
    EXPECT_STREQ(again.ownUnID, chair.ownUnID);
    EXPECT_EQ(Libraries().parts.size(), 1u);

    const IO::Location* callers = again.location;
    ASSERT_EQ(ACAPI_LibraryPart_Register(&again), NoError);
    EXPECT_EQ(again.location, callers) << "registering keeps the caller's location";
    EXPECT_EQ(PathOf(again.location), Embedded() / "Corvana" / "Chair.gsm");

    API_LibPart byName;
    std::memset(&byName, 0, sizeof byName);
    SetWide(byName.docu_UName, "Chair.gsm");
    EXPECT_EQ(ACAPI_LibraryPart_Search(&byName, false, false), APIERR_BADNAME) << "a document name has no extension";
    SetWide(byName.docu_UName, "Chair");
    ASSERT_EQ(ACAPI_LibraryPart_Search(&byName, false, false), NoError);
    EXPECT_EQ(byName.index, 1);
    EXPECT_EQ(Wide(byName.file_UName), "Chair.gsm");
    TakeLocation(byName);
    API_LibPart byFile;
    std::memset(&byFile, 0, sizeof byFile);
    SetWide(byFile.file_UName, "Chair.gsm");
    ASSERT_EQ(ACAPI_LibraryPart_Search(&byFile, false, false), NoError) << "without id and document name, by file";
    EXPECT_EQ(byFile.index, 1);
    TakeLocation(byFile);

    API_LibPart byId;
    std::memset(&byId, 0, sizeof byId);
    std::string otherRevision(chair.ownUnID);
    ASSERT_EQ(otherRevision.size(), 77u);
    otherRevision.replace(39, 38, "{00000000-0000-0000-0000-000000000001}");
    std::strcpy(byId.ownUnID, otherRevision.c_str());
    SetWide(byId.docu_UName, "Another name");  // the identifier wins
    ASSERT_EQ(ACAPI_LibraryPart_Search(&byId, false, false), NoError) << "only the main GUID has to match";
    EXPECT_EQ(Wide(byId.docu_UName), "Chair");
    EXPECT_STREQ(byId.ownUnID, chair.ownUnID);
    TakeLocation(byId);
    API_LibPart unknown;
    std::memset(&unknown, 0, sizeof unknown);
    SetWide(unknown.docu_UName, "Table");
    EXPECT_EQ(ACAPI_LibraryPart_Search(&unknown, false, false), APIERR_BADNAME);
    std::strcpy(unknown.ownUnID, "{00000000-0000-0000-0000-000000000002}-{00000000-0000-0000-0000-000000000003}");
    EXPECT_EQ(ACAPI_LibraryPart_Search(&unknown, false, false), APIERR_BADID) << "an unknown id is a bad id";

    API_LibPart byIndex;
    std::memset(&byIndex, 0, sizeof byIndex);
    byIndex.index = 1;
    ASSERT_EQ(ACAPI_LibraryPart_Get(&byIndex), NoError);
    EXPECT_EQ(TakeLocation(byIndex), Embedded() / "Corvana" / "Chair.gsm");
    byIndex.index = 2;
    EXPECT_EQ(ACAPI_LibraryPart_Get(&byIndex), APIERR_BADPARS);
}

TEST_F(LibraryPartTest, ParameterSectionIsReadAndReplacedWithTheHostsNameRule)
{
    GS::Array<API_LibraryInfo> list;
    list.Push(API_LibraryInfo{IO::Location(GS::UniString((scratch / "lib").string())), "Lib", API_LocalLibrary});
    ASSERT_EQ(ACAPI_LibraryManagement_SetLibraries(&list), NoError);
    WriteText(scratch / "lib" / "Lamp.gsm", "x");
    API_LibPart lamp = PartRecord(scratch / "lib" / "Lamp.gsm");
    ASSERT_EQ(ACAPI_LibraryPart_Register(&lamp), NoError);
    EXPECT_EQ(Wide(lamp.docu_UName), "Lamp");

    std::vector<API_AddParType> parameters = ReadParameters(lamp.index);
    ASSERT_EQ(parameters.size(), 3u);
    EXPECT_STREQ(parameters[2].name, "ZZYZX");

    parameters.push_back(TextParameter("CV_1", "Grün"));
    ASSERT_EQ(WriteParameters(lamp.index, parameters), NoError);
    std::vector<API_AddParType> read = ReadParameters(lamp.index);
    ASSERT_EQ(read.size(), 4u);
    EXPECT_EQ(Wide(read[3].value.uStr), "Grün");
    EXPECT_EQ(Libraries().parts[0].parameters[3].text, "Grün");

    parameters.push_back(TextParameter("CV_1", "twice"));
    EXPECT_EQ(WriteParameters(lamp.index, parameters), APIERR_BADPARS);
    API_AddParType unterminated = TextParameter("x", "");
    std::memset(unterminated.name, 'a', sizeof(unterminated.name));
    EXPECT_EQ(WriteParameters(lamp.index, {unterminated}), APIERR_BADPARS);
    EXPECT_EQ(ReadParameters(lamp.index).size(), 4u);

    API_LibPartSection other{0x47444C48, 0};  // a section the part does not have
    GSHandle handle = nullptr;
    EXPECT_EQ(ACAPI_LibraryPart_GetSection(lamp.index, &other, &handle, nullptr), APIERR_NOLIBSECT);
    EXPECT_EQ(handle, nullptr);
}

TEST_F(LibraryPartTest, LibrariesSurviveTheProjectFileAndBadSectionsAreRefused)
{
    Sim::Model::Libraries& libraries = Libraries();
    libraries.hasEmbeddedLibrary = true;
    libraries.list.push_back({"/srv/library", "Office"});
    Sim::Model::LibraryPartRecord part;
    part.documentName = "Chair.gsm";
    part.fileName = "Chair.gsm";
    part.uniqueId = "{A}-{B}";
    part.location = "Corvana/Chair.gsm";
    part.inEmbeddedLibrary = true;
    part.parameters.push_back({"CV_0", APIParT_Title, 0, "Corvana", "", 0});
    part.parameters.push_back({"CV_1", APIParT_CString, 0, "Colour", "Grün", 0});
    part.parameters.push_back({"A", APIParT_Length, 0, "", "", 0.9});
    part.details.frameThickness = "gs_frame_thk";
    libraries.parts.push_back(part);

    const std::string text = Sim::ProjectFile::ToText(host->GetProject());
    EXPECT_EQ(Sim::ProjectFile::FromText(text), host->GetProject());

    auto refused = [](const std::string& section) {
        const std::string document =
            R"({"format": "corvana-sim-project", "version": 1, "libraries": )" + section + "}";
        try {
            Sim::ProjectFile::FromText(document);
        } catch (const std::exception& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    EXPECT_NE(refused(R"({"embeddedLibrary": true, "parts": [{"documentName": "X", "uniqueId": "1",
                          "embeddedLocation": "../../etc/X.gsm"}]})"), "");
    EXPECT_NE(refused(R"({"parts": [{"documentName": "X", "uniqueId": "1", "embeddedLocation": "X.gsm"}]})"), "");
    EXPECT_NE(refused(R"({"list": [{"location": "relative/lib"}]})"), "");
    EXPECT_NE(refused(R"({"parts": [{"documentName": "X", "uniqueId": "1", "location": "/a/X.gsm",
                          "parameters": [{"name": "P", "type": 12}, {"name": "P", "type": 15}]}]})"), "");
}

using HostFilesTest = LibraryFixture;

TEST_F(HostFilesTest, CopyReplacesTheTargetAndFailsWithoutSourceOrFolder)
{
    WriteText(scratch / "a.gsm", "new");
    WriteText(scratch / "out" / "a.gsm", "old");
    GS::Array<API_LibraryInfo> list;
    list.Push(API_LibraryInfo{IO::Location(GS::UniString((scratch / "out").string())), "Out", API_LocalLibrary});
    ASSERT_EQ(ACAPI_LibraryManagement_SetLibraries(&list), NoError);
    auto files = [](const fs::path& file) {
        GS::Array<IO::Location> locations;
        locations.Push(IO::Location(GS::UniString(file.string())));
        return locations;
    };
    const IO::Location out(GS::UniString((scratch / "out").string()));
    const bool overwrite = true;
    const GS::Array<IO::Location> from = files(scratch / "a.gsm");
    const bool keep = false;
    ASSERT_EQ(ACAPI_LibraryManagement_CopyFilesIntoLibrary(&out, &from, &keep), NoError);
    // Read and closed: Windows replaces no file that is open.
    EXPECT_EQ(QRVTest::ReadWholeFile(scratch / "out" / "a.gsm"), "old") << "an existing file stays unless asked";
    ASSERT_EQ(ACAPI_LibraryManagement_CopyFilesIntoLibrary(&out, &from, &overwrite), NoError);
    EXPECT_EQ(QRVTest::ReadWholeFile(scratch / "out" / "a.gsm"), "new");

    const GS::Array<IO::Location> missing = files(scratch / "none.gsm");
    EXPECT_EQ(ACAPI_LibraryManagement_CopyFilesIntoLibrary(&out, &missing, &overwrite), APIERR_GENERAL);
    const IO::Location noFolder(GS::UniString((scratch / "out" / "nofolder").string()));
    EXPECT_EQ(ACAPI_LibraryManagement_CopyFilesIntoLibrary(&noFolder, &from, &overwrite), APIERR_GENERAL);
    const IO::Location notALibrary(GS::UniString(scratch.string()));
    EXPECT_EQ(ACAPI_LibraryManagement_CopyFilesIntoLibrary(&notALibrary, &from, &overwrite), APIERR_BADPARS);
    EXPECT_EQ(Tree(scratch / "out"), std::set<std::string>{"a.gsm"});
}

TEST_F(HostFilesTest, SpecialFoldersComeFromTheHome)
{
    for (auto [id, name] : {std::pair{API_UserDocumentsFolderID, "Documents"}, std::pair{API_TemporaryFolderID, "Temp"}}) {
        IO::Location location;
        API_SpecFolderID folder = id;
        ASSERT_EQ(ACAPI_ProjectSettings_GetSpecFolder(&folder, &location), NoError);
        GS::UniString path;
        ASSERT_EQ(location.ToPath(&path), NoError);
        EXPECT_EQ(fs::path(Sim::Utf8(path)), home / name);
        EXPECT_TRUE(fs::is_directory(home / name));
    }
    API_SpecFolderID unknown = static_cast<API_SpecFolderID>(0);  // inside the type's range, no folder's number
    IO::Location location;
    EXPECT_EQ(ACAPI_ProjectSettings_GetSpecFolder(&unknown, &location), APIERR_BADPARS);
}

}  // namespace
}  // namespace LibraryTest
