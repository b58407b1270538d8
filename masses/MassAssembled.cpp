#include "VantrelLib/masses/MassAssembled.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CMassAssembled::Schema() {
    static const Fw::ElementSchema schema =
        Fw::SchemaFor<CMassAssembled>("MassAssembled")
            .Collection("AssembledEntry", &CMassAssembled::m_assembledEntry,
                        CClassFactory::Ref(CClassFactory::Id_CMassAssembledDataCol), 0, -1);
    return schema;
}
