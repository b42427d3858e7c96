// Helpers for tests of the add-on's user interface: the palettes' identities as the host knows them, the
// simulated user interface of the test's host, and the page's side of script calls.
#pragma once

#include "ModuleFixture.hpp"
#include "UserInterface.hpp"

#include <string>
#include <vector>

namespace QRVTest {

inline GS::Guid CataloguePaletteGuid() { return GS::Guid("{64F64B7A-4B4F-496D-AFB7-747BCEED73EC}"); }
inline GS::Guid CalculationPaletteGuid() { return GS::Guid("{FEE27B6B-3873-4834-98B5-F0081AA4CD45}"); }
inline GS::Guid ProgressPaletteGuid() { return GS::Guid("{90EA25F6-34D6-4F95-95E6-C6E4F51F1B61}"); }

// The reference numbers worked out by hand from the GUIDs' bytes (sum of four little-endian words).
constexpr Int32 CataloguePaletteRef = 374094918;
constexpr Int32 CalculationPaletteRef = -1781199472;
constexpr Int32 ProgressPaletteRef = 643916118;

constexpr const char* CatalogueUrl = "https://app.corvana.example";

Sim::UserInterface& Ui(Sim::Host& host);

// What the page receives: a string's text, a number in decimal, "true"/"false"; "<undefined>" for an
// undefined value and "<nothing>" when the call answered nothing or did not happen.
std::string ReplyText(const Sim::JsCallResult& result);

GS::Ref<JS::Base> JsText(const std::string& text);
GS::Ref<JS::Base> JsNumber(Int32 number);
GS::Ref<JS::Base> JsTexts(const std::vector<std::string>& texts);

// Transcript events of one kind whose member `field` is `value`.
std::vector<nlohmann::ordered_json> EventsWhere(Sim::Host& host, const std::string& kind, const std::string& field,
                                                const std::string& value);

// The module loaded from its file, with helpers for what the user does.
class UiFixture : public ModuleFixture {
protected:
    Sim::UserInterface& ui() { return Ui(*host); }
    const Sim::PanelState* Palette(const GS::Guid& guid) { return ui().FindPalette(guid); }
    const Sim::ItemState* PaletteItem(const GS::Guid& guid, short item);

    GSErrCode Menu(short menu, Int32 item) { return host->SelectMenu(menu, item); }
    // Sends a palette message and returns the result flag the handler left.
    bool PaletteMessage(Int32 referenceID, API_PaletteMessageID message);
    // The page calls jsCorvanaInterface.<function>; the catalogue palette must be open.
    Sim::JsCallResult CallPage(const std::string& function, const GS::Ref<JS::Base>& argument = GS::Ref<JS::Base>());
};

}  // namespace QRVTest
