#include "VantrelLib/masses/MassContainer.h"

namespace VantrelLib {

namespace Fw = Framework;

const Fw::ElementSchema& CMassContainer::Schema() {
    static const Fw::ElementSchema schema =
        Fw::SchemaFor<CMassContainer>("MassContainer")
            .Collection("ContainerEntry", &CMassContainer::m_containerEntry,
                        CClassFactory::Ref(CClassFactory::Id_CMassContainerDataCol), 0, -1);
    return schema;
}

}  // namespace VantrelLib
