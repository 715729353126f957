#include "catalogue/CatalogueJson.h"

#include <cstdio>
#include <vector>

#include "catalogue/Dataaki.h"

namespace velmora {
namespace {

// Joins already formatted JSON values into an array.
std::string jsonArray(const std::vector<std::string>& values) {
    std::string text = "[";
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) text += ", ";
        text += values[i];
    }
    return text + "]";
}

std::string jsonStrings(const std::vector<std::string>& texts) {
    std::vector<std::string> values;
    for (const std::string& text : texts) values.push_back(jsonQuoted(text));
    return jsonArray(values);
}

}  // namespace

std::string jsonQuoted(std::string_view text) {
    std::string quoted = "\"";
    for (char c : text) {
        switch (c) {
            case '"':
                quoted += "\\\"";
                break;
            case '\\':
                quoted += "\\\\";
                break;
            case '\n':
                quoted += "\\n";
                break;
            case '\r':
                quoted += "\\r";
                break;
            case '\t':
                quoted += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escape[7];
                    std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
                    quoted += escape;
                } else {
                    quoted += c;
                }
        }
    }
    return quoted + "\"";
}

std::string catalogueJson() {
    const Dataaki catalogue;

    std::vector<std::string> varieties;
    for (int v = 0; v < static_cast<int>(catalogue.varietyList().size()); ++v) {
        varieties.push_back("{\"name\": " + jsonQuoted(catalogue.varietyList()[v]) +
                            ", \"title\": " + jsonQuoted(catalogue.varietyTitle(v)) + "}");
    }

    std::vector<std::string> brandVarieties;
    for (int brand = 0; brand < Dataaki::kBrandCount; ++brand) {
        brandVarieties.push_back(jsonStrings(catalogue.brandVarieties(brand)));
    }

    std::vector<std::string> typeLists;
    for (int list = 0; list < Dataaki::kTypeListCount; ++list) {
        std::vector<std::string> rows;
        const auto& types = catalogue.typeLists()[list];
        for (int position = 0; position < static_cast<int>(types.size()); ++position) {
            rows.push_back("{\"name\": " + jsonQuoted(types[position].name) + ", \"scale\": " +
                           jsonQuoted(types[position].scale) + ", \"capacity\": " +
                           jsonQuoted(catalogue.capacityText(list, position, ".")) + "}");
        }
        typeLists.push_back(jsonArray(rows));
    }

    return "{\"brands\": " + jsonStrings(catalogue.brands()) +
           ", \"varieties\": " + jsonArray(varieties) +
           ", \"brandVarieties\": " + jsonArray(brandVarieties) +
           ", \"typeLists\": " + jsonArray(typeLists) +
           ", \"capacityScale\": " + jsonStrings(catalogue.capacityScale()) + "}";
}

}  // namespace velmora
