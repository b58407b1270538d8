#include "VantrelLib/framework/VantrelClassFactory.h"

#include "VantrelLib/framework/Factory.h"

namespace VantrelLib {

namespace {

using Framework::ClassMaker;
using Framework::FactoryTable;

const FactoryTable& Table() {
    static const FactoryTable table({
        /* NONE */ {nullptr, nullptr},
        /* Id_CAttachedFiles */ {nullptr, nullptr},
        /* Id_CContainerEntry */ {nullptr, nullptr},
        /* Id_CElementgroupData */ {nullptr, nullptr},
        /* Id_CFrameTableData */ {nullptr, nullptr},
        /* Id_CFrameTableEntry */ {nullptr, nullptr},
        /* Id_CGeneralConstants */ {nullptr, nullptr},
        /* Id_CGeneralData */ {nullptr, nullptr},
        /* Id_CHydroData */ {nullptr, nullptr},
        /* Id_CHydrodynamic */ {nullptr, nullptr},
        /* Id_CHydroScanBlockEntry */ {nullptr, nullptr},
        /* Id_CHydroSelectEntry */ {nullptr, nullptr},
        /* Id_CHydroSelectFactorEntry */ {nullptr, nullptr},
        /* Id_CHydroSelectWaveEntry */ {nullptr, nullptr},
        /* Id_IRestEntry: an interface */ {nullptr, nullptr},
        /* Id_CLoadcaseData */ {nullptr, nullptr},
        /* Id_CLoadcaseInputData */ {nullptr, nullptr},
        /* Id_CLoadEnvelopeData */ {nullptr, nullptr},
        /* Id_CLoadEnvelopeForce */ {nullptr, nullptr},
        /* Id_CLongitudinalPosition */ {nullptr, nullptr},
        /* Id_CMassAssembled */ {nullptr, nullptr},
        /* Id_CMassAssembledData */ {nullptr, nullptr},
        /* Id_CMassBoxData */ {nullptr, nullptr},
        /* Id_CMassBoxes */ {nullptr, nullptr},
        /* Id_CMassContainer */ {nullptr, nullptr},
        /* Id_CMassContainerData */ {nullptr, nullptr},
        /* Id_CMassElementGroups */ {nullptr, nullptr},
        /* Id_CMasses */ {nullptr, nullptr},
        /* Id_CMassNodeSelectionData */ {nullptr, nullptr},
        /* Id_CMassTankData */ {nullptr, nullptr},
        /* Id_CMassTanks */ {nullptr, nullptr},
        /* Id_CPrincipalDimension */ {nullptr, nullptr},
        /* Id_CRestEntry */ {nullptr, nullptr},
        /* Id_CRow */ {nullptr, nullptr},
        /* Id_CScan */ {nullptr, nullptr},
        /* Id_CSelect */ {nullptr, nullptr},
        /* Id_CVantrel */ {nullptr, nullptr},
        /* Id_CTankEntry */ {nullptr, nullptr},
        /* Id_CContainerEntryCol */ {nullptr, nullptr},
        /* Id_CElementgroupDataCol */ {nullptr, nullptr},
        /* Id_CFrameTableEntryCol */ {nullptr, nullptr},
        /* Id_CHydroDataCol */ {nullptr, nullptr},
        /* Id_CHydroScanBlockEntryCol */ {nullptr, nullptr},
        /* Id_CHydroSelectEntryCol */ {nullptr, nullptr},
        /* Id_CIRestEntryCol */ {nullptr, nullptr},
        /* Id_CLongitudinalPositionCol */ {nullptr, nullptr},
        /* Id_CMassAssembledDataCol */ {nullptr, nullptr},
        /* Id_CMassBoxDataCol */ {nullptr, nullptr},
        /* Id_CMassContainerDataCol */ {nullptr, nullptr},
        /* Id_CMassTankDataCol */ {nullptr, nullptr},
        /* Id_CRowCol */ {nullptr, nullptr},
        /* Id_CTankEntryCol */ {nullptr, nullptr},
    });
    return table;
}

}  // namespace

CClassFactory::~CClassFactory() = default;

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

}  // namespace VantrelLib
