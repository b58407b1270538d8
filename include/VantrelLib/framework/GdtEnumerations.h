#pragma once
// gdt::CEnumerations: the enumerations of the gdt schema and their token
// conversions. Values number the tokens from 0; a value outside them can be
// stored and is refused when converted.

#include "VantrelLib/Export.h"
#include "VantrelLib/framework/Schema.h"

namespace gdt {

class VANTREL_EXPORT CEnumerations {
public:
    enum RContainerType : int { RContainerType_20 = 0, RContainerType_40 = 1 };
    enum RSymmetry : int { RSymmetry_P = 0, RSymmetry_S = 1, RSymmetry_P_S = 2 };
    enum RProgramType : int { RProgramType_Vantrel = 0, RProgramType_Quenta = 1 };
    enum RDirection : int { RDirection_Forward = 0, RDirection_Aft = 1 };

    // Each ToString gives the token (no copy) and throws CLtInvalidValueException
    // "Unknown enumeration value for gdt::CEnumerations::R<E> [<number>]" for a
    // number outside the tokens. Each FromString collapses the text's whitespace,
    // compares it case-sensitively and throws "... [<text>]" when no token matches.
    static const char* RContainerTypeToString(RContainerType value);
    static RContainerType RContainerTypeFromString(const char* text);
    static const char* RSymmetryToString(RSymmetry value);
    static RSymmetry RSymmetryFromString(const char* text);
    static const char* RProgramTypeToString(RProgramType value);
    static RProgramType RProgramTypeFromString(const char* text);
    static const char* RDirectionToString(RDirection value);
    static RDirection RDirectionFromString(const char* text);
};

}  // namespace gdt

namespace VantrelLib {
namespace Framework {
template <>
VANTREL_EXPORT const EnumTable& EnumTableOf<gdt::CEnumerations::RContainerType>();
template <>
VANTREL_EXPORT const EnumTable& EnumTableOf<gdt::CEnumerations::RSymmetry>();
template <>
VANTREL_EXPORT const EnumTable& EnumTableOf<gdt::CEnumerations::RProgramType>();
template <>
VANTREL_EXPORT const EnumTable& EnumTableOf<gdt::CEnumerations::RDirection>();
}  // namespace Framework
}  // namespace VantrelLib
