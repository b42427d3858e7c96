#include "Parsing/CorvanaJsonParser.hpp"

#include "GSDebug.hpp"
#include "Parsing/Items/CorvanaComplexMaterial.hpp"
#include "Parsing/Items/CorvanaLibrary.hpp"
#include "Parsing/Items/CorvanaLibraryPart.hpp"
#include "Parsing/Items/CorvanaMaterial.hpp"
#include "Support/Utf8.hpp"

#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace QRV {
namespace {

using Payload::Contains;
using Payload::ReadIndexed;
using Payload::ReadRequired;
using Payload::ReadUnchecked;

// The tab that construction systems send for their IFC data gets a group of its own, so that it does not
// mix with the IFC properties the host itself keeps.
const char* const SystemIfcTab = "IFC";
const char* const SystemIfcGroup = "IFC - Corvana";

Json PropertyRecord(const Json& group, const Json& name, const Json& value)
{
    Json record = Json::object();
    record["group"] = group;
    record["name"] = name;
    record["unit"] = "";
    record["type"] = "";
    record["value"] = value;
    return record;
}

// Every item's properties begin with the catalogue's name, id and change stamp, as the payload has them.
// These three identify the item and date it, so they keep the strict text conversion: a boolean or an
// object there is a broken item, not a value to be written as its JSON text.
void AppendStandardProperties(Json& records, const Json& source)
{
    for (const char* key : {"name", "id", "updated_at"}) {
        const Json& value = ReadRequired(source, key);
        Payload::Text(value);  // raises for a boolean or an object
        records.push_back(PropertyRecord(CorvanaProperty::DefaultGroup, key, value));
    }
}

void AppendAttributes(Json& records, const Json& group, const Json& attributes)
{
    for (const Json& attribute : attributes)
        records.push_back(PropertyRecord(group, ReadRequired(attribute, "name"), ReadRequired(attribute, "value")));
}

template <typename Setter>
void ReadOptionalText(const Json& object, const char* key, Setter set)
{
    if (Contains(object, key))
        set(Payload::Text(object.at(key)));
}

// One article, as a material of its own or as a skin of a system: everything but the replacement keys.
CorvanaMaterial ReadArticle(const Json& article)
{
    CorvanaMaterial material;
    if (article.is_null())
        return material;
    if (article.is_object() && article.empty())
        std::cout << "Object is empty" << std::endl;

    ReadOptionalText(article, "name", [&](const GS::UniString& text) { material.SetName(text); });
    ReadOptionalText(article, "id", [&](const GS::UniString& text) { material.SetId(text); });
    if (Contains(article, "updated_at") && !article.at("updated_at").is_null())
        material.SetUpdatedAt(Payload::Int64Number(article.at("updated_at")));

    Json records = Json::array();
    AppendStandardProperties(records, article);
    for (const Json& tab : ReadIndexed(article, "tabs")) {
        const Json& attributes = ReadIndexed(tab, "attributes");
        if (!attributes.is_null())
            AppendAttributes(records, ReadIndexed(tab, "name"), attributes);
    }
    material.SetProperties(CorvanaProperties::FromJson(records));
    return material;
}

// Present only when the page replaces the material of one skin of an existing composite.
void ReadSkinReplacement(CorvanaMaterial& material, const Json& article)
{
    if (!Contains(article, "system_internal_id"))
        return;
    material.SetReplacement(true);
    material.SetReplaceSystemIndex(Payload::DigitString(article.at("system_internal_id")));
    material.SetReplaceLayerIndex(Payload::DigitString(ReadRequired(article, "layer_index")));
    material.SetReplaceInternalLayerIndex(Payload::Int32Number(ReadRequired(article, "internal_layer_index")));
}

Json SystemPropertyRecords(const Json& system)
{
    Json records = Json::array();
    AppendStandardProperties(records, system);
    for (const Json& tab : ReadIndexed(system, "tabs")) {
        GS::UniString group = Payload::Text(ReadUnchecked(tab, "name"));
        if (group == SystemIfcTab)
            group = SystemIfcGroup;
        const Json& attributes = ReadUnchecked(tab, "attributes");
        if (!attributes.is_null())
            AppendAttributes(records, Json(ToUtf8(group)), attributes);
    }
    return records;
}

// All articles of all materials, in order: the skins of the system from outside to inside.
std::vector<CorvanaMaterial> ReadSkinMaterials(const Json& system)
{
    std::vector<CorvanaMaterial> materials;
    if (!Contains(system, "materials"))
        return materials;
    for (const Json& material : system.at("materials")) {
        if (material.is_null())
            continue;
        for (const Json& article : ReadRequired(material, "articles"))
            materials.push_back(ReadArticle(article));
    }
    return materials;
}

// Layer i describes skin material i.
void ApplyLayers(std::vector<CorvanaMaterial>& materials, const Json& system)
{
    if (!Contains(system, "layers"))
        return;
    const Json& layers = system.at("layers");
    if (layers.size() > materials.size())
        throw std::out_of_range("construction system has " + std::to_string(layers.size()) + " layers but " +
                                std::to_string(materials.size()) + " skin materials");
    size_t index = 0;
    for (const Json& layer : layers) {
        CorvanaMaterial& material = materials[index++];
        material.SetLayerType(Payload::Text(ReadRequired(layer, "layer_type")));
        material.SetThickness(Payload::DoubleNumber(ReadRequired(layer, "thickness")) / 100.0);
    }
}

template <typename Product>
void ReadProductTexts(Product& product, const Json& source, const char* extension)
{
    ReadOptionalText(source, "id", [&](const GS::UniString& text) { product.SetId(text); });
    ReadOptionalText(source, "file_url", [&](const GS::UniString& text) { product.SetFileUrl(text); });
    ReadOptionalText(source, "name", [&](const GS::UniString& text) { product.SetFileName(text + extension); });
}

}  // namespace

CorvanaJsonParser::~CorvanaJsonParser() = default;

std::unique_ptr<BaseItem> CorvanaJsonParser::ParseText(const GS::UniString& text)
{
    DBPrintf("%s\n", ToUtf8(text).c_str());
    return nullptr;
}

std::unique_ptr<BaseItem> CorvanaJsonParser::ParseMaterial(const Json& article)
{
    auto material = std::make_unique<CorvanaMaterial>(ReadArticle(article));
    ReadSkinReplacement(*material, article);
    return material;
}

std::unique_ptr<BaseItem> CorvanaJsonParser::ParseComplexMaterial(const Json& system)
{
    auto composite = std::make_unique<CorvanaComplexMaterial>();
    if (!system.is_null()) {
        ReadOptionalText(system, "id", [&](const GS::UniString& text) { composite->SetId(text); });
        ReadOptionalText(system, "name", [&](const GS::UniString& text) { composite->SetName(text); });
        ReadOptionalText(system, "description", [&](const GS::UniString& text) { composite->SetDescription(text); });
        ReadOptionalText(system, "status", [&](const GS::UniString& text) { composite->SetStatus(text); });
        ReadOptionalText(system, "like", [&](const GS::UniString& text) { composite->SetLike(text); });
        ReadOptionalText(system, "system_type", [&](const GS::UniString& text) { composite->SetSystemType(text); });
        composite->SetProperties(CorvanaProperties::FromJson(SystemPropertyRecords(system)));
        std::vector<CorvanaMaterial> materials = ReadSkinMaterials(system);
        ApplyLayers(materials, system);
        composite->SetMaterials(materials);
    }
    composite->Dump();
    if (Contains(system, "replace_id")) {
        composite->SetReplacement(true);
        composite->SetReplaceIndex(Payload::DigitString(system.at("replace_id")));
    }
    return composite;
}

std::unique_ptr<BaseItem> CorvanaJsonParser::ParseLibrary(const Json& product)
{
    auto library = std::make_unique<CorvanaLibrary>();
    if (product.is_null())
        return library;
    ReadProductTexts(*library, product, ".lcf");
    Json records = Json::array();
    AppendStandardProperties(records, product);
    if (Contains(product, "articles")) {
        for (const Json& article : product.at("articles")) {
            if (!Contains(article, "tabs"))
                continue;
            for (const Json& tab : article.at("tabs")) {
                const Json& attributes = ReadIndexed(tab, "attributes");
                if (!attributes.is_null())
                    AppendAttributes(records, ReadIndexed(tab, "name"), attributes);
            }
        }
    }
    library->SetProperties(CorvanaProperties::FromJson(records));
    return library;
}

std::unique_ptr<BaseItem> CorvanaJsonParser::ParseLibraryPart(const Json& product)
{
    auto part = std::make_unique<CorvanaLibraryPart>();
    // A product with articles is described by its first article; one without by itself.
    const Json& articles = ReadRequired(product, "articles");
    const bool describedByItself = articles.empty();
    const Json& source = describedByItself ? product : articles.at(0);
    const Json& tabs = describedByItself ? ReadRequired(product, "product_tabs") : ReadRequired(source, "tabs");

    ReadProductTexts(*part, source, ".gsm");
    Json records = Json::array();
    AppendStandardProperties(records, source);
    for (const Json& tab : tabs)
        if (Contains(tab, "attributes"))
            AppendAttributes(records, ReadIndexed(tab, "name"), tab.at("attributes"));
    part->SetProperties(CorvanaProperties::FromJson(records));
    return part;
}

}  // namespace QRV
