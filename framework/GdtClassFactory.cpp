#include "VantrelLib/framework/GdtClassFactory.h"

#include "framework/Factory.h"
#include "VantrelLib/gdt/AttachedFile.h"
#include "VantrelLib/gdt/Box.h"
#include "VantrelLib/gdt/Frame.h"
#include "VantrelLib/gdt/Loadcase.h"
#include "VantrelLib/gdt/Point.h"
#include "VantrelLib/gdt/RangeDouble.h"

namespace gdt {

namespace {

using VantrelLib::Framework::ClassMaker;
using VantrelLib::Framework::FactoryTable;

const FactoryTable& Table() {
    static const FactoryTable table({
        /* NONE */ {nullptr, nullptr, nullptr, nullptr, nullptr},
        /* Id_CBox */ ClassMaker::ElementEntry<CBox>("CBox"),
        /* Id_CAttachedFile */ ClassMaker::ElementEntry<CAttachedFile>("CAttachedFile"),
        /* Id_CFrame */ ClassMaker::ElementEntry<CFrame>("CFrame"),
        /* Id_CLoadcase */ ClassMaker::ElementEntry<CLoadcase>("CLoadcase"),
        /* Id_CPoint */ ClassMaker::ElementEntry<CPoint>("CPoint"),
        /* Id_CRangeDouble */ ClassMaker::ElementEntry<CRangeDouble>("CRangeDouble"),
        /* Id_CBoxCol */ ClassMaker::CollectionEntry<CBoxCol>("CBoxCol"),
        /* Id_CLoadcaseCol */ ClassMaker::CollectionEntry<CLoadcaseCol>("CLoadcaseCol"),
    });
    return table;
}

}  // namespace

CClassFactory::~CClassFactory() = default;

VantrelLib::Framework::ClassRef CClassFactory::Ref(gdt_Classes id) { return {&Table(), id}; }

LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> CClassFactory::CreateClass(gdt_Classes id) {
    return Table().CreateClass(id);
}

LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> CClassFactory::CreateClass(gdt_Classes id, const char* elementName) {
    return Table().CreateClass(id, elementName);
}

LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlCollectionBase> CClassFactory::CreateClassCollection(gdt_Classes id,
                                                                                         const char* elementName,
                                                                                         long minOccurs,
                                                                                         long maxOccurs) {
    return Table().CreateClassCollection(id, elementName, minOccurs, maxOccurs);
}

LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlCollectionBase> CClassFactory::CreateEnumCollection(gdt_Classes id, const char*,
                                                                                        const char*, long, long) {
    FactoryTable::CreateEnumCollection(id);
}

}  // namespace gdt
