#pragma once

#include "VantrelLib/framework/Element.h"

namespace VantrelLib {

// One scan block of a hydrodynamic data set: a number and six scan quantities,
// each carried as text exactly as written (the library never parses them).
// Element "HydroScanBlockEntry"; as an item of a "Scan" list it is "ScanBlock".
class VANTREL_EXPORT CHydroScanBlockEntry : public Framework::CElement<CHydroScanBlockEntry> {
public:
    std::int64_t GetId() const { return m_id; }
    void SetId(std::int64_t value) { m_id = value; }

    // Each Get<X> of the six texts throws CLtInvalidStateException while <X> is
    // not valid; Set<X> stores the text unchanged (every space, tab and line
    // feed kept) and makes it valid; a change of SetValid<X> empties it.
    const std::string& GetWaveHeight() const { return m_waveHeight.Get("WaveHeight"); }
    void SetWaveHeight(const std::string& value) { m_waveHeight.Set(value); }
    bool IsValidWaveHeight() const { return m_waveHeight.IsValid(); }
    void SetValidWaveHeight(bool valid) { m_waveHeight.SetValid(valid); }

    const std::string& GetShipsSpeed() const { return m_shipsSpeed.Get("ShipsSpeed"); }
    void SetShipsSpeed(const std::string& value) { m_shipsSpeed.Set(value); }
    bool IsValidShipsSpeed() const { return m_shipsSpeed.IsValid(); }
    void SetValidShipsSpeed(bool valid) { m_shipsSpeed.SetValid(valid); }

    const std::string& GetHeelingAngle() const { return m_heelingAngle.Get("HeelingAngle"); }
    void SetHeelingAngle(const std::string& value) { m_heelingAngle.Set(value); }
    bool IsValidHeelingAngle() const { return m_heelingAngle.IsValid(); }
    void SetValidHeelingAngle(bool valid) { m_heelingAngle.SetValid(valid); }

    const std::string& GetWaveLengthLpp() const { return m_waveLengthLpp.Get("WaveLengthLpp"); }
    void SetWaveLengthLpp(const std::string& value) { m_waveLengthLpp.Set(value); }
    bool IsValidWaveLengthLpp() const { return m_waveLengthLpp.IsValid(); }
    void SetValidWaveLengthLpp(bool valid) { m_waveLengthLpp.SetValid(valid); }

    const std::string& GetAnglesOfEncounter() const { return m_anglesOfEncounter.Get("AnglesOfEncounter"); }
    void SetAnglesOfEncounter(const std::string& value) { m_anglesOfEncounter.Set(value); }
    bool IsValidAnglesOfEncounter() const { return m_anglesOfEncounter.IsValid(); }
    void SetValidAnglesOfEncounter(bool valid) { m_anglesOfEncounter.SetValid(valid); }

    const std::string& GetWavePhase() const { return m_wavePhase.Get("WavePhase"); }
    void SetWavePhase(const std::string& value) { m_wavePhase.Set(value); }
    bool IsValidWavePhase() const { return m_wavePhase.IsValid(); }
    void SetValidWavePhase(bool valid) { m_wavePhase.SetValid(valid); }

    VANTREL_ELEMENT(CHydroScanBlockEntry);
    std::int64_t m_id = 0;
    Framework::COptional<std::string> m_waveHeight;
    Framework::COptional<std::string> m_shipsSpeed;
    Framework::COptional<std::string> m_heelingAngle;
    Framework::COptional<std::string> m_waveLengthLpp;
    Framework::COptional<std::string> m_anglesOfEncounter;
    Framework::COptional<std::string> m_wavePhase;
};

// The scan blocks of a "Scan" list ("ScanBlock").
VANTREL_COLLECTION(CHydroScanBlockEntryCol, CHydroScanBlockEntry);

}  // namespace VantrelLib
