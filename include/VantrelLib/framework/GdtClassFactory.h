#pragma once
// gdt::CClassFactory: creates the gdt element classes and collections by id.

#include "VantrelLib/Export.h"
#include "VantrelLib/framework/Schema.h"

namespace gdt {

class VANTREL_EXPORT CClassFactory : public LtXmlLib3::CClassfactoryBase {
public:
    enum gdt_Classes : int {
        NONE = 0,
        Id_CBox = 1,
        Id_CAttachedFile = 2,
        Id_CFrame = 3,
        Id_CLoadcase = 4,
        Id_CPoint = 5,
        Id_CRangeDouble = 6,
        Id_CBoxCol = 7,
        Id_CLoadcaseCol = 8,
    };

    CClassFactory() = default;
    CClassFactory(const CClassFactory&) = default;
    ~CClassFactory() override;

    // A new object of element class `id` named after its type. Throws CLtException
    // "Invalid Class (NONE)" for NONE and "Unknown Class id" for any other id
    // that is not an element class.
    static LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> CreateClass(gdt_Classes id);
    // The same, named `elementName`.
    static LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> CreateClass(gdt_Classes id, const char* elementName);
    // A new empty collection of class `id`. Throws "Invalid Class (NONE)" or
    // "Unknown Collection Class id".
    static LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlCollectionBase> CreateClassCollection(gdt_Classes id,
                                                                                     const char* elementName,
                                                                                     long minOccurs, long maxOccurs);
    // The schema has no collection of enumeration values: always throws.
    static LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlCollectionBase> CreateEnumCollection(gdt_Classes id, const char*,
                                                                                    const char*, long, long);

    // How element classes declare a gdt child or collection.
    static VantrelLib::Framework::ClassRef Ref(gdt_Classes id);
};

}  // namespace gdt
