#pragma once
// VantrelLib::CEnumerations: the enumerations of the main schema and their
// token conversions. Values number the tokens from 0; a value outside them can
// be stored and is refused when converted.

#include "VantrelLib/Export.h"
#include "VantrelLib/framework/Schema.h"

namespace VantrelLib {

class VANTREL_EXPORT CEnumerations {
public:
    enum RLoadComponents : int {
        RLoadComponents_SFminX = 0,
        RLoadComponents_SFminY = 1,
        RLoadComponents_SFminZ = 2,
        RLoadComponents_BMminX = 3,
        RLoadComponents_BMminY = 4,
        RLoadComponents_BMminZ = 5,
        RLoadComponents_SFmaxX = 6,
        RLoadComponents_SFmaxY = 7,
        RLoadComponents_SFmaxZ = 8,
        RLoadComponents_BMmaxX = 9,
        RLoadComponents_BMmaxY = 10,
        RLoadComponents_BMmaxZ = 11,
    };
    enum RHydroSelectType : int { RHydroSelectType_Min = 0, RHydroSelectType_Max = 1, RHydroSelectType_Fix = 2 };
    enum RMassNodeSelection : int {
        RMassNodeSelection_All = 0,
        RMassNodeSelection_Selection = 1,
        RMassNodeSelection_Hard = 2,
    };
    enum RMassInputCode : int { RMassInputCode_Srd_box = 0, RMassInputCode_In_Box = 1, RMassInputCode_TWE = 2 };
    enum RMassType : int { RMassType_FE = 0, RMassType_BO = 1, RMassType_CO = 2, RMassType_TA = 3, RMassType_AS = 4 };

    // Each ToString gives the token (no copy) and throws CLtInvalidValueException
    // "Unknown enumeration value for VantrelLib::CEnumerations::R<E> [<number>]"
    // for a number outside the tokens. Each FromString collapses the text's
    // whitespace, compares it case-sensitively and throws "... [<text>]" when no
    // token matches.
    static const char* RLoadComponentsToString(RLoadComponents value);
    static RLoadComponents RLoadComponentsFromString(const char* text);
    static const char* RHydroSelectTypeToString(RHydroSelectType value);
    static RHydroSelectType RHydroSelectTypeFromString(const char* text);
    static const char* RMassNodeSelectionToString(RMassNodeSelection value);
    static RMassNodeSelection RMassNodeSelectionFromString(const char* text);
    static const char* RMassInputCodeToString(RMassInputCode value);
    static RMassInputCode RMassInputCodeFromString(const char* text);
    static const char* RMassTypeToString(RMassType value);
    static RMassType RMassTypeFromString(const char* text);
};

namespace Framework {
template <>
VANTREL_EXPORT const EnumTable& EnumTableOf<CEnumerations::RLoadComponents>();
template <>
VANTREL_EXPORT const EnumTable& EnumTableOf<CEnumerations::RHydroSelectType>();
template <>
VANTREL_EXPORT const EnumTable& EnumTableOf<CEnumerations::RMassNodeSelection>();
template <>
VANTREL_EXPORT const EnumTable& EnumTableOf<CEnumerations::RMassInputCode>();
template <>
VANTREL_EXPORT const EnumTable& EnumTableOf<CEnumerations::RMassType>();
}  // namespace Framework

}  // namespace VantrelLib
