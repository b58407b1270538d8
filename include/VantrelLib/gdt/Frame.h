#pragma once

#include "VantrelLib/framework/Element.h"

namespace gdt {

// A reference to a frame by identifier, by longitudinal coordinate, or both
// (both optional; an empty frame is valid). Element "Frame" in the gdt
// namespace; held as "FrameNoPP1"/"FrameNoPP2" or "Aft"/"Forward".
class VANTREL_EXPORT CFrame : public VantrelLib::Framework::CElement<CFrame> {
public:
    // Throws CLtInvalidStateException while Id is not valid.
    const std::string& GetId() const { return m_id.Get("Id"); }
    // Stores the text unchanged (whitespace kept) and makes it valid.
    void SetId(const std::string& value) { m_id.Set(value); }
    bool IsValidId() const { return m_id.IsValid(); }
    // A change of validity empties Id.
    void SetValidId(bool valid) { m_id.SetValid(valid); }

    // Throws CLtInvalidStateException while Coordinate is not valid.
    double GetCoordinate() const { return m_coordinate.Get("Coordinate"); }
    void SetCoordinate(double value) { m_coordinate.Set(value); }
    bool IsValidCoordinate() const { return m_coordinate.IsValid(); }
    // A change of validity resets Coordinate to 0.
    void SetValidCoordinate(bool valid) { m_coordinate.SetValid(valid); }

    VANTREL_ELEMENT(CFrame);
    VantrelLib::Framework::COptional<std::string> m_id;
    VantrelLib::Framework::COptional<double> m_coordinate;
};

}  // namespace gdt
