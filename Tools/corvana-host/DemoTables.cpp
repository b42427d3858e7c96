#include "DemoTables.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace CorvanaHost {
namespace {

using Json = nlohmann::ordered_json;

struct Section {
    const char* key;
    const char* title;
    std::vector<const char*> columns;
};

// The keys worth a column; the stairs' material names, for one, are mostly empty and stay in the JSON file.
const Section sections[] = {
    {"ProductInfo", "Products", {"name", "type", "pieces", "length", "area", "volume", "weight", "default_value", "bim_uuid", "attributes", "id"}},
    {"SystemInfo", "Systems", {"name", "system_type", "subtype", "area", "bim_uuid", "type_id", "id"}},
    {"CurtainWallInfo", "Curtain walls", {"name", "type", "area", "bim_uuid", "attributes", "id"}},
    {"StairCalculationInfo", "Stairs", {"type_name", "family_name", "type", "volume", "bim_uuid", "attributes", "id"}},
};
const std::vector<const char*> layerColumns = {"index", "name", "thickness", "type", "bim_uuid", "internal_material_id",
                                               "attributes"};

// Numbers as a person reads them: whole numbers whole, others with at most three decimals.
std::string NumberText(double number)
{
    if (!std::isfinite(number))
        return "?";
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", number);
    std::string result = text;
    while (result.back() == '0')
        result.pop_back();
    if (result.back() == '.')
        result.pop_back();
    return result == "-0" ? "0" : result;
}

std::string CellText(const Json& value)
{
    if (value.is_null())
        return "";
    if (value.is_string())
        return value.get<std::string>();
    if (value.is_number_integer() || value.is_number_unsigned() || value.is_boolean())
        return value.dump();
    if (value.is_number_float())
        return NumberText(value.get<double>());
    if (value.is_array())
        return std::to_string(value.size());
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// Columns are as wide as their texts in characters, not bytes: names carry umlauts.
size_t Width(const std::string& text)
{
    size_t characters = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80)
            ++characters;
    return characters;
}

std::string Padded(const std::string& text, size_t width) { return text + std::string(width - Width(text), ' '); }

void WriteTable(const std::vector<std::vector<std::string>>& rows, const std::string& indent, std::ostream& out)
{
    std::vector<size_t> widths(rows.front().size(), 0);
    for (const auto& row : rows)
        for (size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], Width(row[c]));
    auto writeRow = [&](const std::vector<std::string>& row) {
        std::string line = indent;
        for (size_t c = 0; c < row.size(); ++c)
            line += (c == 0 ? "" : "  ") + Padded(row[c], widths[c]);
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        out << line << "\n";
    };
    writeRow(rows.front());
    std::vector<std::string> rule;
    for (size_t width : widths)
        rule.push_back(std::string(width, '-'));
    writeRow(rule);
    for (size_t r = 1; r < rows.size(); ++r)
        writeRow(rows[r]);
}

std::vector<std::string> Row(const Json& record, const std::vector<const char*>& columns)
{
    std::vector<std::string> row;
    for (const char* key : columns)
        row.push_back(record.is_object() && record.contains(key) ? CellText(record[key]) : "");
    return row;
}

void WriteRecords(const Json& records, const std::vector<const char*>& columns, const std::string& indent,
                  std::ostream& out)
{
    std::vector<std::vector<std::string>> rows = {std::vector<std::string>(columns.begin(), columns.end())};
    for (const Json& record : records)
        rows.push_back(Row(record, columns));
    WriteTable(rows, indent, out);
}

// Each system's layers, under the system's name and id.
void WriteLayers(const Json& systems, std::ostream& out)
{
    for (const Json& system : systems) {
        if (!system.is_object() || !system.contains("layers") || !system["layers"].is_array())
            continue;
        const Json& layers = system["layers"];
        out << "\n    layers of " << CellText(system.value("name", Json())) << " (id " << CellText(system.value("id", Json()))
            << ", " << layers.size() << "):\n";
        if (layers.empty())
            out << "      none\n";
        else
            WriteRecords(layers, layerColumns, "      ", out);
    }
}

}  // namespace

void WriteCalculationTables(const Json& calculation, std::ostream& out)
{
    for (const Section& section : sections) {
        const Json* records = calculation.is_object() && calculation.contains(section.key)
                                  ? &calculation[section.key]
                                  : nullptr;
        if (records == nullptr || !records->is_array()) {
            out << "\n  " << section.title << " (" << section.key << "): missing from the document\n";
            continue;
        }
        out << "\n  " << section.title << " (" << section.key << ", " << records->size() << "):\n";
        if (records->empty()) {
            out << "    none in the model\n";
            continue;
        }
        WriteRecords(*records, section.columns, "    ", out);
        if (std::string(section.key) == "SystemInfo")
            WriteLayers(*records, out);
    }
}

}  // namespace CorvanaHost
