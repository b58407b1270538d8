#include "VantrelLib/masses/MassContainer.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CMassContainer::Schema() {
    static const Fw::ElementSchema schema =
        Fw::SchemaFor<CMassContainer>("MassContainer")
            .Collection("ContainerEntry", &CMassContainer::m_containerEntry,
                        CClassFactory::Ref(CClassFactory::Id_CMassContainerDataCol), 0, -1);
    return schema;
}
