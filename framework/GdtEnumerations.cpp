#include "VantrelLib/framework/GdtEnumerations.h"

#include <vector>

#include "framework/Factory.h"

namespace VantrelLib {
namespace Framework {

namespace {
constexpr const char* kContainerType[] = {"20", "40"};
constexpr const char* kSymmetry[] = {"P", "S", "P+S"};
constexpr const char* kProgramType[] = {"Vantrel", "Quenta"};
constexpr const char* kDirection[] = {"Forward", "Aft"};
constexpr EnumTable kContainerTypeTable("gdt::CEnumerations::RContainerType", kContainerType, 2);
constexpr EnumTable kSymmetryTable("gdt::CEnumerations::RSymmetry", kSymmetry, 3);
constexpr EnumTable kProgramTypeTable("gdt::CEnumerations::RProgramType", kProgramType, 2);
constexpr EnumTable kDirectionTable("gdt::CEnumerations::RDirection", kDirection, 2);
}  // namespace

const std::vector<const EnumTable*>& GdtEnumTables() {
    static const std::vector<const EnumTable*> tables{
        &kContainerTypeTable, &kSymmetryTable, &kProgramTypeTable, &kDirectionTable};
    return tables;
}

template <>
const EnumTable& EnumTableOf<gdt::CEnumerations::RContainerType>() { return kContainerTypeTable; }
template <>
const EnumTable& EnumTableOf<gdt::CEnumerations::RSymmetry>() { return kSymmetryTable; }
template <>
const EnumTable& EnumTableOf<gdt::CEnumerations::RProgramType>() { return kProgramTypeTable; }
template <>
const EnumTable& EnumTableOf<gdt::CEnumerations::RDirection>() { return kDirectionTable; }

}  // namespace Framework
}  // namespace VantrelLib

namespace gdt {

using VantrelLib::Framework::EnumFromString;
using VantrelLib::Framework::EnumToString;

const char* CEnumerations::RContainerTypeToString(RContainerType value) { return EnumToString(value); }
CEnumerations::RContainerType CEnumerations::RContainerTypeFromString(const char* text) {
    return EnumFromString<RContainerType>(text);
}
const char* CEnumerations::RSymmetryToString(RSymmetry value) { return EnumToString(value); }
CEnumerations::RSymmetry CEnumerations::RSymmetryFromString(const char* text) { return EnumFromString<RSymmetry>(text); }
const char* CEnumerations::RProgramTypeToString(RProgramType value) { return EnumToString(value); }
CEnumerations::RProgramType CEnumerations::RProgramTypeFromString(const char* text) {
    return EnumFromString<RProgramType>(text);
}
const char* CEnumerations::RDirectionToString(RDirection value) { return EnumToString(value); }
CEnumerations::RDirection CEnumerations::RDirectionFromString(const char* text) { return EnumFromString<RDirection>(text); }

}  // namespace gdt
