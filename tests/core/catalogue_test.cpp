#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/CatalogueJson.h"
#include "catalogue/Dataaki.h"

namespace velmora {
namespace {

// One pinned catalogue row; capacity is written with "." as decimal separator.
struct PinnedRow {
    int list;
    int position;
    const char* name;
    const char* scale;
    const char* capacity;
};

// Every row as the charger and stored logs know it. Never edit an existing row.
const PinnedRow kPinnedRows[] = {
    {0, 0, "ZRTZ5S", "40", "4 Ah"},        {0, 1, "ZRM5Z 3B", "50", "5 Ah"},
    {0, 2, "ZRTZ7S", "60", "6 Ah"},        {0, 3, "ZRM7A 4B", "60", "6 Ah"},
    {0, 4, "ZRM7B-4B", "70", "7 Ah"},      {0, 5, "ZRM9-4B", "80", "8 Ah"},
    {0, 6, "ZRM12 BS", "100", "10 Ah"},    {0, 7, "ZRM14 BS", "120", "12 Ah"},
    {0, 8, "ZRM20L BS", "180", "18 Ah"},   {1, 0, "ZRLP-5S", "10", "1 Ah"},
    {1, 1, "ZRLP-7S", "20", "2 Ah"},       {1, 2, "ZRLP-7V", "30", "3 Ah"},
    {2, 0, "YB2,5L-C", "25", "2.5 Ah"},    {2, 1, "YB3L-B", "30", "3 Ah"},
    {2, 2, "YB3L-A", "30", "3 Ah"},        {2, 3, "YB4L-B", "40", "4 Ah"},
    {2, 4, "YB5L-B", "50", "5 Ah"},        {2, 5, "12N5-3B", "50", "5 Ah"},
    {2, 6, "12N5,5-3B", "55", "5.5 Ah"},   {2, 7, "12N5,5-4B-A", "55", "5.5 Ah"},
    {2, 8, "YB7B-B", "70", "7 Ah"},        {2, 9, "7B7A-BA", "80", "8 Ah"},
    {2, 10, "YB9-B", "95", "9.5 Ah"},      {2, 11, "12N10-3B", "95", "9.5 Ah"},
    {2, 12, "YB10L-A2", "110", "11 Ah"},   {2, 13, "YB12AL-A", "120", "12 Ah"},
    {2, 14, "YB14L-A2", "140", "14 Ah"},   {3, 0, "YTX4L-BS", "30", "3 Ah"},
    {3, 1, "YTZ4V", "30", "3 Ah"},         {3, 2, "YTZ5S", "35", "3.5 Ah"},
    {3, 3, "YTX5L-BS", "40", "4 Ah"},      {3, 4, "YTZ6V", "50", "5 Ah"},
    {3, 5, "YTX7L-BS", "60", "6 Ah"},      {3, 6, "YT7C", "60", "6 Ah"},
    {3, 7, "YTZ7V", "60", "6 Ah"},         {3, 8, "YTX7-BS", "60", "6 Ah"},
    {3, 9, "YTX9-BS", "80", "8 Ah"},       {3, 10, "YTX12-BS", "100", "10 Ah"},
    {3, 11, "YTX14-BS", "120", "12 Ah"},   {3, 12, "YTX16-BS", "140", "14 Ah"},
    {4, 0, "GM2,5A-3C-2", "25", "2.5 Ah"}, {4, 1, "GM3-3A", "30", "3 Ah"},
    {4, 2, "GM3-3B", "30", "3 Ah"},        {4, 3, "GM4-3B", "40", "4 Ah"},
    {4, 4, "12N5-3B", "50", "5 Ah"},       {4, 5, "GM5Z-3B", "50", "5 Ah"},
    {4, 6, "12B5,5-4BM", "55", "5.5 Ah"},  {4, 7, "GM7B-4B", "70", "7 Ah"},
    {4, 8, "12N7C-3DM", "70", "7 Ah"},     {4, 9, "12N9-4B-1M", "90", "9 Ah"},
    {4, 10, "12N10-3BM", "100", "10 Ah"},  {4, 11, "12N10-3B", "100", "10 Ah"},
    {5, 0, "GTZ-5S", "35", "3.5 Ah"},      {5, 1, "GTZ-4V", "40", "4 Ah"},
    {5, 2, "GTZ-7S", "55", "5.5 Ah"},      {5, 3, "GM5Z-3B", "60", "6 Ah"},
    {5, 4, "GTZ-6V", "70", "7 Ah"},        {5, 5, "GTZ-8V", "75", "7.5 Ah"},
};

// A variety a brand offers, at its brand-relative position.
struct PinnedOffer {
    int brand;
    int brandVariety;
    int variety;                  // position in varietyList
    std::optional<int> typeList;  // none: no types
};

const PinnedOffer kPinnedOffers[] = {
    {0, 0, 1, 0},
    {0, 1, 3, 1},
    {1, 0, 0, 2},
    {1, 1, 1, 3},
    {2, 0, 0, 4},
    {2, 1, 1, 5},
    {3, 0, 0, std::nullopt},
    {3, 1, 1, std::nullopt},
    {3, 2, 2, std::nullopt},
    {3, 3, 3, std::nullopt},
};

std::string withComma(std::string text) {
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

TEST(DataakiTest, PinsEveryTypeRow) {
    const Dataaki catalogue;
    std::map<int, size_t> rowsPerList;
    for (const PinnedRow& pin : kPinnedRows) {
        SCOPED_TRACE(std::to_string(pin.list) + "/" + std::to_string(pin.position));
        ++rowsPerList[pin.list];
        EXPECT_EQ(catalogue.typeRow(pin.list, pin.position), (TypeRow{pin.name, pin.scale}));
        EXPECT_EQ(catalogue.capacityText(pin.list, pin.position, "."), pin.capacity);
        EXPECT_EQ(catalogue.capacityText(pin.list, pin.position, ","), withComma(pin.capacity));
    }
    // No row may be added behind the pinned ones either.
    ASSERT_EQ(catalogue.typeLists().size(), rowsPerList.size());
    for (const auto& [list, count] : rowsPerList) {
        EXPECT_EQ(catalogue.typeLists()[list].size(), count) << "type list " << list;
    }
}

TEST(DataakiTest, PinsBrandsAndVarietiesWithTitles) {
    const Dataaki catalogue;
    EXPECT_EQ(catalogue.brands(),
              (std::vector<std::string>{"Zentor", "Yuasa", "GSAstra", "Other"}));
    EXPECT_EQ(catalogue.varietyList(),
              (std::vector<std::string>{"Konvensional", "MF", "Gel", "Lithium"}));
    const std::vector<std::string> titles = {"KONVENSIONAL", "MAINTENANCE FREE", "GEL", "LiFePO4"};
    for (int variety = 0; variety < static_cast<int>(titles.size()); ++variety) {
        EXPECT_EQ(catalogue.varietyTitle(variety), titles[variety]);
    }
}

TEST(DataakiTest, CapacityScaleRunsFromOneToTwentyAhInHalfSteps) {
    std::vector<std::string> expected;
    for (int tenths = 10; tenths <= 200; tenths += 5) expected.push_back(std::to_string(tenths));
    const Dataaki catalogue;
    EXPECT_EQ(catalogue.capacityScale(), expected);
    for (const PinnedRow& pin : kPinnedRows) {
        EXPECT_NE(std::find(expected.begin(), expected.end(), pin.scale), expected.end())
            << pin.name;
    }
}

TEST(DataakiTest, MapsBrandRelativeVarieties) {
    const Dataaki catalogue;
    std::map<int, std::vector<std::string>> namesPerBrand;
    for (const PinnedOffer& pin : kPinnedOffers) {
        SCOPED_TRACE(std::to_string(pin.brand) + "/" + std::to_string(pin.brandVariety));
        namesPerBrand[pin.brand].push_back(catalogue.varietyList()[pin.variety]);
        EXPECT_EQ(catalogue.varietyIndex(pin.brand, pin.brandVariety), pin.variety);
        EXPECT_EQ(catalogue.typeList(pin.brand, pin.brandVariety), pin.typeList);
    }
    for (const auto& [brand, names] : namesPerBrand) {
        EXPECT_EQ(catalogue.brandVarieties(brand), names) << "brand " << brand;
    }
}

// Names shared by two lists resolve by the selected brand and variety, not by name.
TEST(DataakiTest, SharedTypeNamesTakeTheCapacityOfTheirList) {
    struct Case {
        int brand;
        int brandVariety;
        const char* name;
        const char* capacity;
    };
    const Case cases[] = {
        {1, 0, "12N10-3B", "9.5 Ah"}, {2, 0, "12N10-3B", "10 Ah"}, {2, 0, "GM5Z-3B", "5 Ah"},
        {2, 1, "GM5Z-3B", "6 Ah"},    {1, 0, "12N5-3B", "5 Ah"},   {2, 0, "12N5-3B", "5 Ah"},
    };
    const Dataaki catalogue;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.brand) + "/" + std::to_string(c.brandVariety) + " " + c.name);
        const std::optional<int> list = catalogue.typeList(c.brand, c.brandVariety);
        ASSERT_TRUE(list.has_value());
        const auto& rows = catalogue.typeLists()[*list];
        const auto row = std::find_if(rows.begin(), rows.end(),
                                      [&](const TypeRow& r) { return r.name == c.name; });
        ASSERT_NE(row, rows.end());
        EXPECT_EQ(catalogue.capacityText(*list, static_cast<int>(row - rows.begin()), "."),
                  c.capacity);
    }
}

TEST(DataakiTest, CapacityTextTakesAnySeparator) {
    const Dataaki catalogue;
    EXPECT_EQ(catalogue.capacityText(2, 0, "\xD9\xAB"),
              "2\xD9\xAB"
              "5 Ah");  // Arabic decimal separator
    EXPECT_EQ(catalogue.capacityText(5, 5, ""), "75 Ah");
    EXPECT_EQ(catalogue.capacityText(0, 8, ","), "18 Ah");
}

TEST(DataakiTest, OutOfRangePositionsYieldNothing) {
    const Dataaki catalogue;
    const std::pair<int, int> rows[] = {{-1, 0}, {6, 0}, {0, -1}, {0, 9}, {1, 3}, {5, 6}};
    for (const auto& [list, position] : rows) {
        EXPECT_EQ(catalogue.typeRow(list, position), std::nullopt) << list << "/" << position;
        EXPECT_EQ(catalogue.capacityText(list, position, "."), "") << list << "/" << position;
    }
    const std::pair<int, int> offers[] = {{-1, 0}, {4, 0}, {0, -1}, {0, 2}, {1, 2}, {3, 4}};
    for (const auto& [brand, brandVariety] : offers) {
        EXPECT_EQ(catalogue.varietyIndex(brand, brandVariety), std::nullopt);
        EXPECT_EQ(catalogue.typeList(brand, brandVariety), std::nullopt);
    }
    EXPECT_TRUE(catalogue.brandVarieties(-1).empty());
    EXPECT_TRUE(catalogue.brandVarieties(4).empty());
    EXPECT_EQ(catalogue.varietyTitle(-1), "-");
    EXPECT_EQ(catalogue.varietyTitle(4), "-");
}

TEST(DataakiTest, BuildingAgainLeavesContentUnchanged) {
    Dataaki catalogue;
    const Dataaki before = catalogue;
    catalogue.Jenis();
    catalogue.Tipe();
    EXPECT_EQ(catalogue.varietyList(), before.varietyList());
    EXPECT_EQ(catalogue.typeLists(), before.typeLists());
    EXPECT_EQ(catalogue.capacityScale(), before.capacityScale());
    EXPECT_EQ(catalogue.varietyTitle(3), before.varietyTitle(3));
}

// Just enough JSON for the catalogue: objects, arrays and strings.
struct Json {
    std::string text;                                   // a string value
    std::vector<Json> items;                            // an array
    std::vector<std::pair<std::string, Json>> members;  // an object, in order

    const Json& at(const std::string& key) const {
        for (const auto& [name, value] : members) {
            if (name == key) return value;
        }
        throw std::out_of_range(key);
    }
};

// Strict parser: any syntax it does not know is a failure.
class JsonReader {
public:
    explicit JsonReader(std::string input) : m_in(std::move(input)) {}

    std::optional<Json> document() {
        std::optional<Json> value = parseValue();
        skipSpace();
        if (m_pos != m_in.size()) return std::nullopt;
        return value;
    }

private:
    void skipSpace() {
        while (m_pos < m_in.size() && (m_in[m_pos] == ' ' || m_in[m_pos] == '\n')) ++m_pos;
    }
    bool take(char c) {
        skipSpace();
        if (m_pos >= m_in.size() || m_in[m_pos] != c) return false;
        ++m_pos;
        return true;
    }
    std::optional<Json> parseValue() {
        skipSpace();
        if (m_pos >= m_in.size()) return std::nullopt;
        Json value;
        if (m_in[m_pos] == '"') {
            std::optional<std::string> text = parseString();
            if (!text) return std::nullopt;
            value.text = *text;
        } else if (take('[')) {
            if (take(']')) return value;
            do {
                std::optional<Json> item = parseValue();
                if (!item) return std::nullopt;
                value.items.push_back(*item);
            } while (take(','));
            if (!take(']')) return std::nullopt;
        } else if (take('{')) {
            if (take('}')) return value;
            do {
                skipSpace();
                std::optional<std::string> key = parseString();
                if (!key || !take(':')) return std::nullopt;
                std::optional<Json> member = parseValue();
                if (!member) return std::nullopt;
                value.members.emplace_back(*key, *member);
            } while (take(','));
            if (!take('}')) return std::nullopt;
        } else {
            return std::nullopt;
        }
        return value;
    }
    std::optional<std::string> parseString() {
        if (m_pos >= m_in.size() || m_in[m_pos++] != '"') return std::nullopt;
        std::string text;
        while (m_pos < m_in.size()) {
            const char c = m_in[m_pos++];
            if (c == '"') return text;
            if (static_cast<unsigned char>(c) < 0x20) return std::nullopt;
            if (c != '\\') {
                text += c;
                continue;
            }
            if (m_pos >= m_in.size()) return std::nullopt;
            const char e = m_in[m_pos++];
            const std::string simple = "\"\\/bfnrt", meaning = "\"\\/\b\f\n\r\t";
            if (const auto at = simple.find(e); at != std::string::npos) {
                text += meaning[at];
            } else if (e == 'u' && m_pos + 4 <= m_in.size()) {
                const unsigned long code = std::stoul(m_in.substr(m_pos, 4), nullptr, 16);
                if (code >= 0x80) return std::nullopt;  // the writer never needs more
                text += static_cast<char>(code);
                m_pos += 4;
            } else {
                return std::nullopt;
            }
        }
        return std::nullopt;
    }

    std::string m_in;
    size_t m_pos = 0;
};

std::vector<std::string> texts(const Json& array) {
    std::vector<std::string> result;
    for (const Json& item : array.items) result.push_back(item.text);
    return result;
}

TEST(CatalogueJsonTest, ParsesBackToTheCatalogue) {
    const std::optional<Json> json = JsonReader(catalogueJson()).document();
    ASSERT_TRUE(json.has_value()) << catalogueJson();
    std::vector<std::string> keys;
    for (const auto& member : json->members) keys.push_back(member.first);
    EXPECT_EQ(keys, (std::vector<std::string>{"brands", "varieties", "brandVarieties", "typeLists",
                                              "capacityScale"}));

    const Dataaki catalogue;
    EXPECT_EQ(texts(json->at("brands")), catalogue.brands());
    EXPECT_EQ(texts(json->at("capacityScale")), catalogue.capacityScale());

    const Json& varieties = json->at("varieties");
    ASSERT_EQ(varieties.items.size(), 4u);
    EXPECT_EQ(varieties.items[3].at("name").text, "Lithium");
    EXPECT_EQ(varieties.items[3].at("title").text, "LiFePO4");

    const Json& brandVarieties = json->at("brandVarieties");
    ASSERT_EQ(brandVarieties.items.size(), 4u);
    EXPECT_EQ(texts(brandVarieties.items[0]), (std::vector<std::string>{"MF", "Lithium"}));
    EXPECT_EQ(texts(brandVarieties.items[3]).size(), 4u);

    const Json& typeLists = json->at("typeLists");
    ASSERT_EQ(typeLists.items.size(), 6u);
    size_t rows = 0;
    for (const PinnedRow& pin : kPinnedRows) {
        ASSERT_LT(static_cast<size_t>(pin.position), typeLists.items[pin.list].items.size());
        const Json& row = typeLists.items[pin.list].items[pin.position];
        EXPECT_EQ(row.at("name").text, pin.name);
        EXPECT_EQ(row.at("scale").text, pin.scale);
        EXPECT_EQ(row.at("capacity").text, pin.capacity);
    }
    for (const Json& list : typeLists.items) rows += list.items.size();
    EXPECT_EQ(rows, std::size(kPinnedRows));
}

TEST(CatalogueJsonTest, QuotedTextReadsBackUnchanged) {
    const std::string samples[] = {
        "",
        "YB2,5L-C",
        "say \"hi\"",
        "C:\\Log\\",
        "line\nbreak\ttab\r",
        std::string("\x01\x1f", 2),
        "Kapasitas \xC3\xBC",  // UTF-8 passes through
    };
    for (const std::string& sample : samples) {
        const std::optional<Json> json = JsonReader(jsonQuoted(sample)).document();
        ASSERT_TRUE(json.has_value()) << jsonQuoted(sample);
        EXPECT_EQ(json->text, sample);
    }
}

}  // namespace
}  // namespace velmora
