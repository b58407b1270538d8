#include "VantrelLib/hydrodynamics/HydroScanBlockEntry.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CHydroScanBlockEntry::Schema() {
    using C = CHydroScanBlockEntry;
    static const Fw::ElementSchema schema = Fw::SchemaFor<C>("HydroScanBlockEntry")
                                                .Attribute("Id", &C::m_id)
                                                .Attribute("WaveHeight", &C::m_waveHeight)
                                                .Attribute("ShipsSpeed", &C::m_shipsSpeed)
                                                .Attribute("HeelingAngle", &C::m_heelingAngle)
                                                .Attribute("WaveLengthLpp", &C::m_waveLengthLpp)
                                                .Attribute("AnglesOfEncounter", &C::m_anglesOfEncounter)
                                                .Attribute("WavePhase", &C::m_wavePhase);
    return schema;
}
