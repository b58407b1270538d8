#include "VantrelLib/loadcases/LoadcaseInputData.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CLoadcaseInputData::Schema() {
    static const Fw::ElementSchema schema =
        Fw::SchemaFor<CLoadcaseInputData>("LoadcaseInputData")
            .Attribute("LoadComponent", &CLoadcaseInputData::m_loadComponent)
            .Attribute("NoOfIntervals", &CLoadcaseInputData::m_noOfIntervals)
            .Attribute("IsHalfModel", &CLoadcaseInputData::m_isHalfModel)
            .RequiredChild("BaseLoadCase", &CLoadcaseInputData::m_baseLoadCase,
                           gdt::CClassFactory::Ref(gdt::CClassFactory::Id_CLoadcase))
            .Collection("UnitLoadCase", &CLoadcaseInputData::m_unitLoadCase,
                        gdt::CClassFactory::Ref(gdt::CClassFactory::Id_CLoadcaseCol), 0, -1)
            .RequiredChild("Origin", &CLoadcaseInputData::m_origin,
                           gdt::CClassFactory::Ref(gdt::CClassFactory::Id_CPoint));
    return schema;
}
