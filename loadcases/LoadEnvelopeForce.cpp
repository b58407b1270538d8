#include "VantrelLib/loadcases/LoadEnvelopeForce.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CLoadEnvelopeForce::Schema() {
    static const Fw::ElementSchema schema = Fw::SchemaFor<CLoadEnvelopeForce>("LoadEnvelopeForce")
                                                .Attribute("x", &CLoadEnvelopeForce::m_x)
                                                .Attribute("y", &CLoadEnvelopeForce::m_y)
                                                .Attribute("z", &CLoadEnvelopeForce::m_z)
                                                .Attribute("xx", &CLoadEnvelopeForce::m_xx)
                                                .Attribute("yy", &CLoadEnvelopeForce::m_yy)
                                                .Attribute("zz", &CLoadEnvelopeForce::m_zz);
    return schema;
}
