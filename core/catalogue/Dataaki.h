#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// One battery type: its name as shown to the user and its capacity scale entry.
struct TypeRow {
    std::string name;
    std::string scale;  // capacity in tenths of an ampere-hour, as decimal text

    bool operator==(const TypeRow& other) const {
        return name == other.name && scale == other.scale;
    }
};

// The built-in battery catalogue shared with the charger. Every position here travels to
// the charger and into log files, so no entry may ever be inserted, removed or moved.
// All positions count from 0; a position outside a list (-1 means no selection) yields an
// empty or absent result, never a crash.
class Dataaki {
public:
    static constexpr int kBrandCount = 4;
    static constexpr int kOtherBrand = 3;  // has no types; selects the custom options
    static constexpr int kTypeListCount = 6;
    static constexpr const char* kNoVarietyTitle = "-";

    // Builds every list, so a fresh object is ready to read.
    Dataaki();

    // Build varietyList (with titles) and typeLists with capacityScale. They build only
    // once, so calling them again before a use changes nothing and races with no reader.
    void Jenis();
    void Tipe();

    const std::vector<std::string>& brands() const { return m_brands; }
    const std::vector<std::string>& varietyList() const { return m_varietyList; }
    const std::vector<std::vector<TypeRow>>& typeLists() const { return m_typeLists; }
    const std::vector<std::string>& capacityScale() const { return m_capacityScale; }

    // Variety names a brand offers, in brand-relative order; empty for no brand.
    std::vector<std::string> brandVarieties(int brand) const;
    // Position in varietyList of a brand-relative variety.
    std::optional<int> varietyIndex(int brand, int brandVariety) const;
    // Type list of a brand and brand-relative variety; none for "Other" or no selection.
    std::optional<int> typeList(int brand, int brandVariety) const;
    std::optional<TypeRow> typeRow(int list, int position) const;
    // Capacity such as "2.5 Ah" in the shortest decimal form; empty for no row.
    std::string capacityText(int list, int position, std::string_view decimalSeparator) const;
    // Dashboard title of a varietyList position; kNoVarietyTitle for no variety.
    std::string varietyTitle(int variety) const;

private:
    std::vector<std::string> m_brands;
    std::vector<std::string> m_varietyList;
    std::vector<std::string> m_varietyTitles;
    std::vector<std::vector<TypeRow>> m_typeLists;
    std::vector<std::string> m_capacityScale;
};

}  // namespace velmora
