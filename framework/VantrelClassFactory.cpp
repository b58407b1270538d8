#include "VantrelLib/framework/VantrelClassFactory.h"

#include "VantrelLib/framework/Factory.h"
#include "VantrelLib/masses/ContainerEntry.h"
#include "VantrelLib/masses/ElementgroupData.h"
#include "VantrelLib/masses/IRestEntry.h"
#include "VantrelLib/masses/MassAssembled.h"
#include "VantrelLib/masses/MassAssembledData.h"
#include "VantrelLib/masses/MassBoxData.h"
#include "VantrelLib/masses/MassBoxes.h"
#include "VantrelLib/masses/MassContainer.h"
#include "VantrelLib/masses/MassContainerData.h"
#include "VantrelLib/masses/MassElementGroups.h"
#include "VantrelLib/masses/MassNodeSelectionData.h"
#include "VantrelLib/masses/MassTankData.h"
#include "VantrelLib/masses/MassTanks.h"
#include "VantrelLib/masses/Masses.h"
#include "VantrelLib/masses/RestEntry.h"
#include "VantrelLib/masses/Row.h"
#include "VantrelLib/masses/TankEntry.h"
#include "VantrelLib/document/AttachedFiles.h"
#include "VantrelLib/document/FrameTableData.h"
#include "VantrelLib/document/FrameTableEntry.h"
#include "VantrelLib/document/GeneralConstants.h"
#include "VantrelLib/document/GeneralData.h"
#include "VantrelLib/document/PrincipalDimension.h"
#include "VantrelLib/document/Vantrel.h"
#include "VantrelLib/loadcases/LoadEnvelopeData.h"
#include "VantrelLib/loadcases/LoadEnvelopeForce.h"
#include "VantrelLib/loadcases/LoadcaseData.h"
#include "VantrelLib/loadcases/LoadcaseInputData.h"
#include "VantrelLib/loadcases/LongitudinalPosition.h"
#include "VantrelLib/hydrodynamics/HydroData.h"
#include "VantrelLib/hydrodynamics/HydroScanBlockEntry.h"
#include "VantrelLib/hydrodynamics/HydroSelectEntry.h"
#include "VantrelLib/hydrodynamics/HydroSelectFactorEntry.h"
#include "VantrelLib/hydrodynamics/HydroSelectWaveEntry.h"
#include "VantrelLib/hydrodynamics/Hydrodynamic.h"
#include "VantrelLib/hydrodynamics/Scan.h"
#include "VantrelLib/hydrodynamics/Select.h"

namespace VantrelLib {

namespace {

using Framework::ClassMaker;
using Framework::FactoryTable;

const FactoryTable& Table() {
    static const FactoryTable table({
        /* NONE */ {nullptr, nullptr},
        /* Id_CAttachedFiles */ {&ClassMaker::Element<CAttachedFiles>, nullptr},
        /* Id_CContainerEntry */ {&ClassMaker::Element<CContainerEntry>, nullptr},
        /* Id_CElementgroupData */ {&ClassMaker::Element<CElementgroupData>, nullptr},
        /* Id_CFrameTableData */ {&ClassMaker::Element<CFrameTableData>, nullptr},
        /* Id_CFrameTableEntry */ {&ClassMaker::Element<CFrameTableEntry>, nullptr},
        /* Id_CGeneralConstants */ {&ClassMaker::Element<CGeneralConstants>, nullptr},
        /* Id_CGeneralData */ {&ClassMaker::Element<CGeneralData>, nullptr},
        /* Id_CHydroData */ {&ClassMaker::Element<CHydroData>, nullptr},
        /* Id_CHydrodynamic */ {&ClassMaker::Element<CHydrodynamic>, nullptr},
        /* Id_CHydroScanBlockEntry */ {&ClassMaker::Element<CHydroScanBlockEntry>, nullptr},
        /* Id_CHydroSelectEntry */ {&ClassMaker::Element<CHydroSelectEntry>, nullptr},
        /* Id_CHydroSelectFactorEntry */ {&ClassMaker::Element<CHydroSelectFactorEntry>, nullptr},
        /* Id_CHydroSelectWaveEntry */ {&ClassMaker::Element<CHydroSelectWaveEntry>, nullptr},
        /* Id_IRestEntry: an interface */ {nullptr, nullptr},
        /* Id_CLoadcaseData */ {&ClassMaker::Element<CLoadcaseData>, nullptr},
        /* Id_CLoadcaseInputData */ {&ClassMaker::Element<CLoadcaseInputData>, nullptr},
        /* Id_CLoadEnvelopeData */ {&ClassMaker::Element<CLoadEnvelopeData>, nullptr},
        /* Id_CLoadEnvelopeForce */ {&ClassMaker::Element<CLoadEnvelopeForce>, nullptr},
        /* Id_CLongitudinalPosition */ {&ClassMaker::Element<CLongitudinalPosition>, nullptr},
        /* Id_CMassAssembled */ {&ClassMaker::Element<CMassAssembled>, nullptr},
        /* Id_CMassAssembledData */ {&ClassMaker::Element<CMassAssembledData>, nullptr},
        /* Id_CMassBoxData */ {&ClassMaker::Element<CMassBoxData>, nullptr},
        /* Id_CMassBoxes */ {&ClassMaker::Element<CMassBoxes>, nullptr},
        /* Id_CMassContainer */ {&ClassMaker::Element<CMassContainer>, nullptr},
        /* Id_CMassContainerData */ {&ClassMaker::Element<CMassContainerData>, nullptr},
        /* Id_CMassElementGroups */ {&ClassMaker::Element<CMassElementGroups>, nullptr},
        /* Id_CMasses */ {&ClassMaker::Element<CMasses>, nullptr},
        /* Id_CMassNodeSelectionData */ {&ClassMaker::Element<CMassNodeSelectionData>, nullptr},
        /* Id_CMassTankData */ {&ClassMaker::Element<CMassTankData>, nullptr},
        /* Id_CMassTanks */ {&ClassMaker::Element<CMassTanks>, nullptr},
        /* Id_CPrincipalDimension */ {&ClassMaker::Element<CPrincipalDimension>, nullptr},
        /* Id_CRestEntry */ {&ClassMaker::Element<CRestEntry>, nullptr},
        /* Id_CRow */ {&ClassMaker::Element<CRow>, nullptr},
        /* Id_CScan */ {&ClassMaker::Element<CScan>, nullptr},
        /* Id_CSelect */ {&ClassMaker::Element<CSelect>, nullptr},
        /* Id_CVantrel */ {&ClassMaker::Element<CVantrel>, nullptr},
        /* Id_CTankEntry */ {&ClassMaker::Element<CTankEntry>, nullptr},
        /* Id_CContainerEntryCol */ {nullptr, &ClassMaker::Collection<CContainerEntryCol>},
        /* Id_CElementgroupDataCol */ {nullptr, &ClassMaker::Collection<CElementgroupDataCol>},
        /* Id_CFrameTableEntryCol */ {nullptr, &ClassMaker::Collection<CFrameTableEntryCol>},
        /* Id_CHydroDataCol */ {nullptr, &ClassMaker::Collection<CHydroDataCol>},
        /* Id_CHydroScanBlockEntryCol */ {nullptr, &ClassMaker::Collection<CHydroScanBlockEntryCol>},
        /* Id_CHydroSelectEntryCol */ {nullptr, &ClassMaker::Collection<CHydroSelectEntryCol>},
        /* Id_CIRestEntryCol */ {nullptr, &ClassMaker::Collection<CIRestEntryCol>},
        /* Id_CLongitudinalPositionCol */ {nullptr, &ClassMaker::Collection<CLongitudinalPositionCol>},
        /* Id_CMassAssembledDataCol */ {nullptr, &ClassMaker::Collection<CMassAssembledDataCol>},
        /* Id_CMassBoxDataCol */ {nullptr, &ClassMaker::Collection<CMassBoxDataCol>},
        /* Id_CMassContainerDataCol */ {nullptr, &ClassMaker::Collection<CMassContainerDataCol>},
        /* Id_CMassTankDataCol */ {nullptr, &ClassMaker::Collection<CMassTankDataCol>},
        /* Id_CRowCol */ {nullptr, &ClassMaker::Collection<CRowCol>},
        /* Id_CTankEntryCol */ {nullptr, &ClassMaker::Collection<CTankEntryCol>},
    });
    return table;
}

}  // namespace

CClassFactory::~CClassFactory() = default;

Framework::ClassRef CClassFactory::Ref(VantrelLib_Classes id) { return {&Table(), id}; }

LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> CClassFactory::CreateClass(VantrelLib_Classes id) {
    return Table().CreateClass(id);
}

LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> CClassFactory::CreateClass(VantrelLib_Classes id,
                                                                           const char* elementName) {
    return Table().CreateClass(id, elementName);
}

LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlCollectionBase> CClassFactory::CreateClassCollection(VantrelLib_Classes id,
                                                                                         const char* elementName,
                                                                                         long minOccurs,
                                                                                         long maxOccurs) {
    return Table().CreateClassCollection(id, elementName, minOccurs, maxOccurs);
}

LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlCollectionBase> CClassFactory::CreateEnumCollection(VantrelLib_Classes id,
                                                                                        const char*, const char*,
                                                                                        long, long) {
    FactoryTable::CreateEnumCollection(id);
}

namespace {

// The rest entry classes by their XML Schema instance type token.
struct RestEntryType {
    const char* token;
    LtXmlLib3::CSmartPtr<IRestEntry> (*create)();
};
template <class C>
LtXmlLib3::CSmartPtr<IRestEntry> CreateRestEntry() {
    return C::CreateInstance();
}
constexpr RestEntryType kRestEntryTypes[] = {
    {"RestEntry", &CreateRestEntry<CRestEntry>},
    {"ContainerEntry", &CreateRestEntry<CContainerEntry>},
    {"TankEntry", &CreateRestEntry<CTankEntry>},
};

}  // namespace

LtXmlLib3::CSmartPtr<IRestEntry> CClassFactory::IRestEntryCreateObject(const LtXmlLib3::CXmlElement* element) {
    const std::string type = GetElementType(element);
    if (type.empty()) return CRestEntry::CreateInstance();
    for (const RestEntryType& known : kRestEntryTypes)
        if (type == known.token) return known.create();
    return nullptr;  // an unknown type: the collection leaves the element to its owner
}

std::string CClassFactory::RestEntryTypeNames() {
    std::string names;
    for (const RestEntryType& known : kRestEntryTypes) names += (names.empty() ? "" : ", ") + std::string(known.token);
    return names;
}

}  // namespace VantrelLib
