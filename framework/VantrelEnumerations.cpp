#include "VantrelLib/framework/VantrelEnumerations.h"

#include <vector>

#include "framework/Factory.h"

namespace VantrelLib {

namespace Framework {

namespace {
constexpr const char* kLoadComponents[] = {"SFminX", "SFminY", "SFminZ", "BMminX", "BMminY", "BMminZ",
                                           "SFmaxX", "SFmaxY", "SFmaxZ", "BMmaxX", "BMmaxY", "BMmaxZ"};
constexpr const char* kHydroSelectType[] = {"Min", "Max", "Fix"};
constexpr const char* kMassNodeSelection[] = {"All", "Selection", "Hard"};
constexpr const char* kMassInputCode[] = {"Srd-box", "In-Box", "TWE"};
constexpr const char* kMassType[] = {"FE", "BO", "CO", "TA", "AS"};
constexpr EnumTable kLoadComponentsTable("VantrelLib::CEnumerations::RLoadComponents", kLoadComponents, 12);
constexpr EnumTable kHydroSelectTypeTable("VantrelLib::CEnumerations::RHydroSelectType", kHydroSelectType, 3);
constexpr EnumTable kMassNodeSelectionTable("VantrelLib::CEnumerations::RMassNodeSelection", kMassNodeSelection, 3);
constexpr EnumTable kMassInputCodeTable("VantrelLib::CEnumerations::RMassInputCode", kMassInputCode, 3);
constexpr EnumTable kMassTypeTable("VantrelLib::CEnumerations::RMassType", kMassType, 5);
}  // namespace

const std::vector<const EnumTable*>& VantrelEnumTables() {
    static const std::vector<const EnumTable*> tables{
        &kLoadComponentsTable, &kHydroSelectTypeTable,
        &kMassNodeSelectionTable, &kMassInputCodeTable, &kMassTypeTable};
    return tables;
}

template <>
const EnumTable& EnumTableOf<CEnumerations::RLoadComponents>() { return kLoadComponentsTable; }
template <>
const EnumTable& EnumTableOf<CEnumerations::RHydroSelectType>() { return kHydroSelectTypeTable; }
template <>
const EnumTable& EnumTableOf<CEnumerations::RMassNodeSelection>() { return kMassNodeSelectionTable; }
template <>
const EnumTable& EnumTableOf<CEnumerations::RMassInputCode>() { return kMassInputCodeTable; }
template <>
const EnumTable& EnumTableOf<CEnumerations::RMassType>() { return kMassTypeTable; }

}  // namespace Framework

using Framework::EnumFromString;
using Framework::EnumToString;

const char* CEnumerations::RLoadComponentsToString(RLoadComponents value) { return EnumToString(value); }
CEnumerations::RLoadComponents CEnumerations::RLoadComponentsFromString(const char* text) {
    return EnumFromString<RLoadComponents>(text);
}
const char* CEnumerations::RHydroSelectTypeToString(RHydroSelectType value) { return EnumToString(value); }
CEnumerations::RHydroSelectType CEnumerations::RHydroSelectTypeFromString(const char* text) {
    return EnumFromString<RHydroSelectType>(text);
}
const char* CEnumerations::RMassNodeSelectionToString(RMassNodeSelection value) { return EnumToString(value); }
CEnumerations::RMassNodeSelection CEnumerations::RMassNodeSelectionFromString(const char* text) {
    return EnumFromString<RMassNodeSelection>(text);
}
const char* CEnumerations::RMassInputCodeToString(RMassInputCode value) { return EnumToString(value); }
CEnumerations::RMassInputCode CEnumerations::RMassInputCodeFromString(const char* text) {
    return EnumFromString<RMassInputCode>(text);
}
const char* CEnumerations::RMassTypeToString(RMassType value) { return EnumToString(value); }
CEnumerations::RMassType CEnumerations::RMassTypeFromString(const char* text) { return EnumFromString<RMassType>(text); }

}  // namespace VantrelLib
