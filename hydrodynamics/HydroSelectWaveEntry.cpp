#include "VantrelLib/hydrodynamics/HydroSelectWaveEntry.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CHydroSelectWaveEntry::Schema() {
    using C = CHydroSelectWaveEntry;
    static const Fw::ElementSchema schema = Fw::SchemaFor<C>("HydroSelectWaveEntry")
                                                .Attribute("Ampl", &C::m_ampl)
                                                .Attribute("LtoLpp", &C::m_ltoLpp)
                                                .Attribute("Direction", &C::m_direction)
                                                .Attribute("Phase", &C::m_phase)
                                                .Attribute("Heel", &C::m_heel);
    return schema;
}
