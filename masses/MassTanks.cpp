#include "VantrelLib/masses/MassTanks.h"

namespace VantrelLib {

namespace Fw = Framework;

const Fw::ElementSchema& CMassTanks::Schema() {
    static const Fw::ElementSchema schema =
        Fw::SchemaFor<CMassTanks>("MassTanks")
            .Collection("TankEntry", &CMassTanks::m_tankEntry, CClassFactory::Ref(CClassFactory::Id_CMassTankDataCol),
                        0, -1);
    return schema;
}

}  // namespace VantrelLib
