#include "catalogue/Dataaki.h"

#include <charconv>
#include <iterator>

namespace velmora {
namespace {

constexpr const char* kBrands[] = {"Zentor", "Yuasa", "GSAstra", "Other"};

// Variety name and the title the dashboard shows for it.
struct VarietyEntry {
    const char* name;
    const char* title;
};

constexpr VarietyEntry kVarieties[] = {
    {"Konvensional", "KONVENSIONAL"},
    {"MF", "MAINTENANCE FREE"},
    {"Gel", "GEL"},
    {"Lithium", "LiFePO4"},
};

// A variety a brand offers; the order among one brand's entries is the brand-relative
// position the profile command carries.
struct Offer {
    int brand;
    int variety;   // position in varietyList
    int typeList;  // -1: no types
};

constexpr Offer kOffers[] = {
    {0, 1, 0},   // brand-relative 0
    {0, 3, 1},   // brand-relative 1
    {1, 0, 2},   // brand-relative 0
    {1, 1, 3},   // brand-relative 1
    {2, 0, 4},   // brand-relative 0
    {2, 1, 5},   // brand-relative 1
    {3, 0, -1},  // brand-relative 0
    {3, 1, -1},  // brand-relative 1
    {3, 2, -1},  // brand-relative 2
    {3, 3, -1},  // brand-relative 3
};

// One catalogue row; rows of a list appear in position order.
struct TypeEntry {
    int list;
    const char* name;
    const char* scale;
};

constexpr TypeEntry kTypes[] = {
    {0, "ZRTZ5S", "40"},       // 0
    {0, "ZRM5Z 3B", "50"},     // 1
    {0, "ZRTZ7S", "60"},       // 2
    {0, "ZRM7A 4B", "60"},     // 3
    {0, "ZRM7B-4B", "70"},     // 4
    {0, "ZRM9-4B", "80"},      // 5
    {0, "ZRM12 BS", "100"},    // 6
    {0, "ZRM14 BS", "120"},    // 7
    {0, "ZRM20L BS", "180"},   // 8
    {1, "ZRLP-5S", "10"},      // 0
    {1, "ZRLP-7S", "20"},      // 1
    {1, "ZRLP-7V", "30"},      // 2
    {2, "YB2,5L-C", "25"},     // 0
    {2, "YB3L-B", "30"},       // 1
    {2, "YB3L-A", "30"},       // 2
    {2, "YB4L-B", "40"},       // 3
    {2, "YB5L-B", "50"},       // 4
    {2, "12N5-3B", "50"},      // 5
    {2, "12N5,5-3B", "55"},    // 6
    {2, "12N5,5-4B-A", "55"},  // 7
    {2, "YB7B-B", "70"},       // 8
    {2, "7B7A-BA", "80"},      // 9
    {2, "YB9-B", "95"},        // 10
    {2, "12N10-3B", "95"},     // 11
    {2, "YB10L-A2", "110"},    // 12
    {2, "YB12AL-A", "120"},    // 13
    {2, "YB14L-A2", "140"},    // 14
    {3, "YTX4L-BS", "30"},     // 0
    {3, "YTZ4V", "30"},        // 1
    {3, "YTZ5S", "35"},        // 2
    {3, "YTX5L-BS", "40"},     // 3
    {3, "YTZ6V", "50"},        // 4
    {3, "YTX7L-BS", "60"},     // 5
    {3, "YT7C", "60"},         // 6
    {3, "YTZ7V", "60"},        // 7
    {3, "YTX7-BS", "60"},      // 8
    {3, "YTX9-BS", "80"},      // 9
    {3, "YTX12-BS", "100"},    // 10
    {3, "YTX14-BS", "120"},    // 11
    {3, "YTX16-BS", "140"},    // 12
    {4, "GM2,5A-3C-2", "25"},  // 0
    {4, "GM3-3A", "30"},       // 1
    {4, "GM3-3B", "30"},       // 2
    {4, "GM4-3B", "40"},       // 3
    {4, "12N5-3B", "50"},      // 4
    {4, "GM5Z-3B", "50"},      // 5
    {4, "12B5,5-4BM", "55"},   // 6
    {4, "GM7B-4B", "70"},      // 7
    {4, "12N7C-3DM", "70"},    // 8
    {4, "12N9-4B-1M", "90"},   // 9
    {4, "12N10-3BM", "100"},   // 10
    {4, "12N10-3B", "100"},    // 11
    {5, "GTZ-5S", "35"},       // 0
    {5, "GTZ-4V", "40"},       // 1
    {5, "GTZ-7S", "55"},       // 2
    {5, "GM5Z-3B", "60"},      // 3
    {5, "GTZ-6V", "70"},       // 4
    {5, "GTZ-8V", "75"},       // 5
};

// 1.0 Ah to 20.0 Ah in steps of 0.5 Ah, in tenths.
constexpr const char* kCapacityScale[] = {
    "10",  "15",  "20",  "25",  "30",  "35",  "40",  "45",  "50",  "55",  "60",  "65",  "70",
    "75",  "80",  "85",  "90",  "95",  "100", "105", "110", "115", "120", "125", "130", "135",
    "140", "145", "150", "155", "160", "165", "170", "175", "180", "185", "190", "195", "200",
};

// The offer at a brand-relative position, or nullptr.
const Offer* findOffer(int brand, int brandVariety) {
    int seen = 0;
    for (const Offer& offer : kOffers) {
        if (offer.brand == brand && seen++ == brandVariety) return &offer;
    }
    return nullptr;
}

template <typename T>
bool inRange(const std::vector<T>& list, int position) {
    return position >= 0 && static_cast<size_t>(position) < list.size();
}

// Tenths as the shortest decimal: integer arithmetic keeps 9.5 from becoming 9.4999.
std::string shortestDecimal(std::string_view tenthsText, std::string_view decimalSeparator) {
    long tenths = 0;
    const char* end = tenthsText.data() + tenthsText.size();
    auto [next, error] = std::from_chars(tenthsText.data(), end, tenths);
    if (error != std::errc() || next != end || tenths < 0) return {};
    std::string text = std::to_string(tenths / 10);
    if (tenths % 10 != 0) {
        text.append(decimalSeparator);
        text += static_cast<char>('0' + tenths % 10);
    }
    return text;
}

}  // namespace

Dataaki::Dataaki() : m_brands(std::begin(kBrands), std::end(kBrands)) {
    Jenis();
    Tipe();
}

void Dataaki::Jenis() {
    if (!m_varietyList.empty()) return;
    for (const VarietyEntry& variety : kVarieties) {
        m_varietyList.emplace_back(variety.name);
        m_varietyTitles.emplace_back(variety.title);
    }
}

void Dataaki::Tipe() {
    if (!m_typeLists.empty()) return;
    m_typeLists.resize(kTypeListCount);
    for (const TypeEntry& type : kTypes) {
        m_typeLists[type.list].push_back({type.name, type.scale});
    }
    m_capacityScale.assign(std::begin(kCapacityScale), std::end(kCapacityScale));
}

std::vector<std::string> Dataaki::brandVarieties(int brand) const {
    std::vector<std::string> names;
    for (const Offer& offer : kOffers) {
        if (offer.brand == brand) names.push_back(m_varietyList[offer.variety]);
    }
    return names;
}

std::optional<int> Dataaki::varietyIndex(int brand, int brandVariety) const {
    const Offer* offer = findOffer(brand, brandVariety);
    if (offer == nullptr) return std::nullopt;
    return offer->variety;
}

std::optional<int> Dataaki::typeList(int brand, int brandVariety) const {
    const Offer* offer = findOffer(brand, brandVariety);
    if (offer == nullptr || offer->typeList < 0) return std::nullopt;
    return offer->typeList;
}

std::optional<TypeRow> Dataaki::typeRow(int list, int position) const {
    if (!inRange(m_typeLists, list) || !inRange(m_typeLists[list], position)) {
        return std::nullopt;
    }
    return m_typeLists[list][position];
}

std::string Dataaki::capacityText(int list, int position, std::string_view decimalSeparator) const {
    std::optional<TypeRow> row = typeRow(list, position);
    if (!row) return {};
    std::string amount = shortestDecimal(row->scale, decimalSeparator);
    return amount.empty() ? amount : amount + " Ah";
}

std::string Dataaki::varietyTitle(int variety) const {
    if (!inRange(m_varietyTitles, variety)) return kNoVarietyTitle;
    return m_varietyTitles[variety];
}

}  // namespace velmora
