#include "VantrelLib/framework/VantrelClassFactory.h"

#include "framework/Factory.h"
#include "VantrelLib/framework/Reflection.h"
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
        /* NONE */ {nullptr, nullptr, nullptr, nullptr, nullptr},
        /* Id_CAttachedFiles */ ClassMaker::ElementEntry<CAttachedFiles>("CAttachedFiles"),
        /* Id_CContainerEntry */ ClassMaker::ElementEntry<CContainerEntry>("CContainerEntry"),
        /* Id_CElementgroupData */ ClassMaker::ElementEntry<CElementgroupData>("CElementgroupData"),
        /* Id_CFrameTableData */ ClassMaker::ElementEntry<CFrameTableData>("CFrameTableData"),
        /* Id_CFrameTableEntry */ ClassMaker::ElementEntry<CFrameTableEntry>("CFrameTableEntry"),
        /* Id_CGeneralConstants */ ClassMaker::ElementEntry<CGeneralConstants>("CGeneralConstants"),
        /* Id_CGeneralData */ ClassMaker::ElementEntry<CGeneralData>("CGeneralData"),
        /* Id_CHydroData */ ClassMaker::ElementEntry<CHydroData>("CHydroData"),
        /* Id_CHydrodynamic */ ClassMaker::ElementEntry<CHydrodynamic>("CHydrodynamic"),
        /* Id_CHydroScanBlockEntry */ ClassMaker::ElementEntry<CHydroScanBlockEntry>("CHydroScanBlockEntry"),
        /* Id_CHydroSelectEntry */ ClassMaker::ElementEntry<CHydroSelectEntry>("CHydroSelectEntry"),
        /* Id_CHydroSelectFactorEntry */ ClassMaker::ElementEntry<CHydroSelectFactorEntry>("CHydroSelectFactorEntry"),
        /* Id_CHydroSelectWaveEntry */ ClassMaker::ElementEntry<CHydroSelectWaveEntry>("CHydroSelectWaveEntry"),
        /* Id_IRestEntry: an interface */ {nullptr, nullptr, "IRestEntry", &typeid(IRestEntry), nullptr},
        /* Id_CLoadcaseData */ ClassMaker::ElementEntry<CLoadcaseData>("CLoadcaseData"),
        /* Id_CLoadcaseInputData */ ClassMaker::ElementEntry<CLoadcaseInputData>("CLoadcaseInputData"),
        /* Id_CLoadEnvelopeData */ ClassMaker::ElementEntry<CLoadEnvelopeData>("CLoadEnvelopeData"),
        /* Id_CLoadEnvelopeForce */ ClassMaker::ElementEntry<CLoadEnvelopeForce>("CLoadEnvelopeForce"),
        /* Id_CLongitudinalPosition */ ClassMaker::ElementEntry<CLongitudinalPosition>("CLongitudinalPosition"),
        /* Id_CMassAssembled */ ClassMaker::ElementEntry<CMassAssembled>("CMassAssembled"),
        /* Id_CMassAssembledData */ ClassMaker::ElementEntry<CMassAssembledData>("CMassAssembledData"),
        /* Id_CMassBoxData */ ClassMaker::ElementEntry<CMassBoxData>("CMassBoxData"),
        /* Id_CMassBoxes */ ClassMaker::ElementEntry<CMassBoxes>("CMassBoxes"),
        /* Id_CMassContainer */ ClassMaker::ElementEntry<CMassContainer>("CMassContainer"),
        /* Id_CMassContainerData */ ClassMaker::ElementEntry<CMassContainerData>("CMassContainerData"),
        /* Id_CMassElementGroups */ ClassMaker::ElementEntry<CMassElementGroups>("CMassElementGroups"),
        /* Id_CMasses */ ClassMaker::ElementEntry<CMasses>("CMasses"),
        /* Id_CMassNodeSelectionData */ ClassMaker::ElementEntry<CMassNodeSelectionData>("CMassNodeSelectionData"),
        /* Id_CMassTankData */ ClassMaker::ElementEntry<CMassTankData>("CMassTankData"),
        /* Id_CMassTanks */ ClassMaker::ElementEntry<CMassTanks>("CMassTanks"),
        /* Id_CPrincipalDimension */ ClassMaker::ElementEntry<CPrincipalDimension>("CPrincipalDimension"),
        /* Id_CRestEntry */ ClassMaker::ElementEntry<CRestEntry>("CRestEntry"),
        /* Id_CRow */ ClassMaker::ElementEntry<CRow>("CRow"),
        /* Id_CScan */ ClassMaker::ElementEntry<CScan>("CScan"),
        /* Id_CSelect */ ClassMaker::ElementEntry<CSelect>("CSelect"),
        /* Id_CVantrel */ ClassMaker::ElementEntry<CVantrel>("CVantrel"),
        /* Id_CTankEntry */ ClassMaker::ElementEntry<CTankEntry>("CTankEntry"),
        /* Id_CContainerEntryCol */ ClassMaker::CollectionEntry<CContainerEntryCol>("CContainerEntryCol"),
        /* Id_CElementgroupDataCol */ ClassMaker::CollectionEntry<CElementgroupDataCol>("CElementgroupDataCol"),
        /* Id_CFrameTableEntryCol */ ClassMaker::CollectionEntry<CFrameTableEntryCol>("CFrameTableEntryCol"),
        /* Id_CHydroDataCol */ ClassMaker::CollectionEntry<CHydroDataCol>("CHydroDataCol"),
        /* Id_CHydroScanBlockEntryCol */ ClassMaker::CollectionEntry<CHydroScanBlockEntryCol>("CHydroScanBlockEntryCol"),
        /* Id_CHydroSelectEntryCol */ ClassMaker::CollectionEntry<CHydroSelectEntryCol>("CHydroSelectEntryCol"),
        /* Id_CIRestEntryCol */ ClassMaker::CollectionEntry<CIRestEntryCol>("CIRestEntryCol"),
        /* Id_CLongitudinalPositionCol */ ClassMaker::CollectionEntry<CLongitudinalPositionCol>("CLongitudinalPositionCol"),
        /* Id_CMassAssembledDataCol */ ClassMaker::CollectionEntry<CMassAssembledDataCol>("CMassAssembledDataCol"),
        /* Id_CMassBoxDataCol */ ClassMaker::CollectionEntry<CMassBoxDataCol>("CMassBoxDataCol"),
        /* Id_CMassContainerDataCol */ ClassMaker::CollectionEntry<CMassContainerDataCol>("CMassContainerDataCol"),
        /* Id_CMassTankDataCol */ ClassMaker::CollectionEntry<CMassTankDataCol>("CMassTankDataCol"),
        /* Id_CRowCol */ ClassMaker::CollectionEntry<CRowCol>("CRowCol"),
        /* Id_CTankEntryCol */ ClassMaker::CollectionEntry<CTankEntryCol>("CTankEntryCol"),
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

LtXmlLib3::CSmartPtr<IRestEntry> CClassFactory::IRestEntryCreateObject(const LtXmlLib3::CXmlElement* element) {
    const std::string type = GetElementType(element);
    if (type.empty()) return CRestEntry::CreateInstance();
    const Reflection::ClassInfo* info = Reflection::FindType(type);
    if (info == nullptr) return nullptr;  // an unknown type: the collection leaves the element to its owner
    return LtXmlLib3::CSmartPtr<IRestEntry>(Framework::AsClass<IRestEntry>(info->Create().get()));
}

std::string CClassFactory::RestEntryTypeNames() {
    std::string names;
    for (const Reflection::ClassInfo* info : Reflection::PolymorphicTypes())
        names += (names.empty() ? "" : ", ") + std::string(info->TypeToken());
    return names;
}

}  // namespace VantrelLib
