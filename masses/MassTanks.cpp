#include "VantrelLib/masses/MassTanks.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CMassTanks::Schema() {
    static const Fw::ElementSchema schema =
        Fw::SchemaFor<CMassTanks>("MassTanks")
            .Collection("TankEntry", &CMassTanks::m_tankEntry, CClassFactory::Ref(CClassFactory::Id_CMassTankDataCol),
                        0, -1);
    return schema;
}
