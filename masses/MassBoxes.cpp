#include "VantrelLib/masses/MassBoxes.h"

namespace VantrelLib {

namespace Fw = Framework;

const Fw::ElementSchema& CMassBoxes::Schema() {
    static const Fw::ElementSchema schema =
        Fw::SchemaFor<CMassBoxes>("MassBoxes")
            .Collection("BoxEntry", &CMassBoxes::m_boxEntry, CClassFactory::Ref(CClassFactory::Id_CMassBoxDataCol), 0,
                        -1);
    return schema;
}

}  // namespace VantrelLib
