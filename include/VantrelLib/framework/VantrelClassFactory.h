#pragma once
// VantrelLib::CClassFactory: creates the main schema's element classes and
// collections by id, and picks the class of a polymorphic rest entry.

#include "VantrelLib/Export.h"
#include "VantrelLib/framework/Schema.h"

namespace VantrelLib {

class IRestEntry;

class VANTREL_EXPORT CClassFactory : public LtXmlLib3::CClassfactoryBase {
public:
    enum VantrelLib_Classes : int {
        NONE = 0,
        Id_CAttachedFiles = 1,
        Id_CContainerEntry = 2,
        Id_CElementgroupData = 3,
        Id_CFrameTableData = 4,
        Id_CFrameTableEntry = 5,
        Id_CGeneralConstants = 6,
        Id_CGeneralData = 7,
        Id_CHydroData = 8,
        Id_CHydrodynamic = 9,
        Id_CHydroScanBlockEntry = 10,
        Id_CHydroSelectEntry = 11,
        Id_CHydroSelectFactorEntry = 12,
        Id_CHydroSelectWaveEntry = 13,
        Id_IRestEntry = 14,  // an interface: no object of it can be created
        Id_CLoadcaseData = 15,
        Id_CLoadcaseInputData = 16,
        Id_CLoadEnvelopeData = 17,
        Id_CLoadEnvelopeForce = 18,
        Id_CLongitudinalPosition = 19,
        Id_CMassAssembled = 20,
        Id_CMassAssembledData = 21,
        Id_CMassBoxData = 22,
        Id_CMassBoxes = 23,
        Id_CMassContainer = 24,
        Id_CMassContainerData = 25,
        Id_CMassElementGroups = 26,
        Id_CMasses = 27,
        Id_CMassNodeSelectionData = 28,
        Id_CMassTankData = 29,
        Id_CMassTanks = 30,
        Id_CPrincipalDimension = 31,
        Id_CRestEntry = 32,
        Id_CRow = 33,
        Id_CScan = 34,
        Id_CSelect = 35,
        Id_CVantrel = 36,
        Id_CTankEntry = 37,
        Id_CContainerEntryCol = 38,
        Id_CElementgroupDataCol = 39,
        Id_CFrameTableEntryCol = 40,
        Id_CHydroDataCol = 41,
        Id_CHydroScanBlockEntryCol = 42,
        Id_CHydroSelectEntryCol = 43,
        Id_CIRestEntryCol = 44,
        Id_CLongitudinalPositionCol = 45,
        Id_CMassAssembledDataCol = 46,
        Id_CMassBoxDataCol = 47,
        Id_CMassContainerDataCol = 48,
        Id_CMassTankDataCol = 49,
        Id_CRowCol = 50,
        Id_CTankEntryCol = 51,
    };

    CClassFactory() = default;
    CClassFactory(const CClassFactory&) = default;
    ~CClassFactory() override;

    // A new object of element class `id` named after its type. Throws CLtException
    // "Invalid Class (NONE)" for NONE and "Unknown Class id" for any other id
    // that is not an element class (collections and IRestEntry included).
    static LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> CreateClass(VantrelLib_Classes id);
    // The same, named `elementName`.
    static LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> CreateClass(VantrelLib_Classes id,
                                                                       const char* elementName);
    // A new empty collection of class `id`. Throws "Invalid Class (NONE)" or
    // "Unknown Collection Class id".
    static LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlCollectionBase> CreateClassCollection(VantrelLib_Classes id,
                                                                                     const char* elementName,
                                                                                     long minOccurs, long maxOccurs);
    // The schema has no collection of enumeration values: always throws.
    static LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlCollectionBase> CreateEnumCollection(VantrelLib_Classes id, const char*,
                                                                                    const char*, long, long);

    // A new, empty rest entry of the class that `element`'s XML Schema instance
    // type attribute names (compared exactly, prefix ignored): "RestEntry",
    // "TankEntry" or "ContainerEntry"; a CRestEntry when the element has no type
    // attribute; an empty pointer for any other type. Reads nothing else of the
    // element and throws nothing of its own.
    static LtXmlLib3::CSmartPtr<IRestEntry> IRestEntryCreateObject(const LtXmlLib3::CXmlElement* element);
    // The type tokens IRestEntryCreateObject knows, e.g. "RestEntry, ContainerEntry, TankEntry".
    static std::string RestEntryTypeNames();

    // How element classes declare a child or collection of this namespace.
    static Framework::ClassRef Ref(VantrelLib_Classes id);
};

}  // namespace VantrelLib
