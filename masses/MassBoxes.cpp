#include "VantrelLib/masses/MassBoxes.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CMassBoxes::Schema() {
    static const Fw::ElementSchema schema =
        Fw::SchemaFor<CMassBoxes>("MassBoxes")
            .Collection("BoxEntry", &CMassBoxes::m_boxEntry, CClassFactory::Ref(CClassFactory::Id_CMassBoxDataCol), 0,
                        -1);
    return schema;
}
