#include "core/import/ImportMapping.h"

#include <nlohmann/json.hpp>

namespace timbra {

namespace {

using Json = nlohmann::ordered_json;

constexpr std::string_view FormatName = "timbra-import-mapping";
constexpr int FormatVersion = 1;

std::string delimiterKey(char d) {
    return d == 0 ? "guess" : std::string(1, d);
}

template <typename Unit, std::size_t N>
std::optional<Unit> unitFor(std::string_view key, const Unit (&units)[N]) {
    for (Unit u : units)
        if (unitKey(u) == key) return u;
    return std::nullopt;
}

} // namespace

std::string_view unitKey(DbhUnit unit) {
    return unit == DbhUnit::Inches ? "in" : "cm";
}

std::string_view unitKey(HeightUnit unit) {
    switch (unit) {
    case HeightUnit::Logs:
        return "logs";
    case HeightUnit::Feet:
        return "ft";
    case HeightUnit::Metres:
        return "m";
    }
    return {};
}

std::string mappingToJson(const ImportMapping& m) {
    Json j;
    j["format"] = FormatName;
    j["version"] = FormatVersion;
    j["name"] = m.name;
    j["header"] = m.header;
    j["delimiter"] = delimiterKey(m.delimiter);
    j["standColumn"] = m.standColumn;
    Json fields = Json::object();
    for (Field f : AllFields) {
        const FieldSource& s = m.source(f);
        if (s.kind == FieldSource::Kind::Column) fields[std::string(fieldKey(f))] = {{"column", s.text}};
        if (s.kind == FieldSource::Kind::Fixed) fields[std::string(fieldKey(f))] = {{"fixed", s.text}};
    }
    j["fields"] = fields;
    j["units"] = {{"dbh", unitKey(m.dbhUnit)}, {"height", unitKey(m.heightUnit)}};
    Json values = Json::object();
    for (const auto& [field, map] : m.values)
        if (!map.empty()) values[std::string(fieldKey(field))] = map;
    j["values"] = values;
    return j.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::optional<ImportMapping> mappingFromJson(std::string_view text, std::string& error) {
    const Json j = Json::parse(text.begin(), text.end(), nullptr, false);
    if (j.is_discarded() || !j.is_object()) {
        error = "it is not a JSON object";
        return std::nullopt;
    }
    if (j.value("format", "") != FormatName) {
        error = "it is not an import mapping (no \"format\": \"" + std::string(FormatName) + "\")";
        return std::nullopt;
    }
    try {
        ImportMapping m;
        if (j.value("version", 0) > FormatVersion)
            throw std::runtime_error("it was saved by a newer program");
        m.name = j.value("name", "");
        m.header = j.value("header", std::vector<std::string>{});
        const std::string d = j.value("delimiter", "guess");
        if (d == "guess")
            m.delimiter = 0;
        else if (d == "," || d == ";" || d == "\t")
            m.delimiter = d[0];
        else
            throw std::runtime_error("its delimiter \"" + d + "\" is not a comma, semicolon or tab");
        m.standColumn = j.value("standColumn", "");
        const Json fields = j.value("fields", Json::object());
        const Json values = j.value("values", Json::object());
        if (!fields.is_object() || !values.is_object())
            throw std::runtime_error("its \"fields\" and \"values\" are not objects");
        for (const auto& [key, source] : fields.items()) {
            const auto f = fieldForKey(key);
            if (!f) throw std::runtime_error("it names no field \"" + key + "\"");
            if (source.contains("column"))
                m.source(*f) = FieldSource::column(source.at("column").get<std::string>());
            else if (source.contains("fixed"))
                m.source(*f) = FieldSource::fixed(source.at("fixed").get<std::string>());
            else
                throw std::runtime_error("its field \"" + key + "\" has neither a column nor a fixed value");
        }
        const Json units = j.value("units", Json::object());
        const auto dbh = unitFor(units.value("dbh", "in"), {DbhUnit::Inches, DbhUnit::Centimetres});
        const auto height =
            unitFor(units.value("height", "logs"), {HeightUnit::Logs, HeightUnit::Feet, HeightUnit::Metres});
        if (!dbh) throw std::runtime_error("its DBH unit is not \"in\" or \"cm\"");
        if (!height) throw std::runtime_error("its height unit is not \"logs\", \"ft\" or \"m\"");
        m.dbhUnit = *dbh;
        m.heightUnit = *height;
        for (const auto& [key, map] : values.items()) {
            const auto f = fieldForKey(key);
            if (!f) throw std::runtime_error("it names no field \"" + key + "\"");
            m.values[*f] = map.get<std::map<std::string, std::string>>();
        }
        return m;
    } catch (const std::exception& e) {
        // nlohmann's type errors ("type must be string") say which kind of value was wrong.
        error = e.what();
        return std::nullopt;
    }
}

} // namespace timbra
