#pragma once
// Frame numbers to longitudinal coordinates and back, from a frame table.
//
// Convention: each frame entry's spacing holds from its frame number up to
// the next entry's (the last one's onwards, the first one's also below it),
// and frame number FrameNoPP1/@Id lies at FrameNoPP1/@Coordinate. Coordinates
// grow with frame numbers, or fall with them when SpacingSign is negative.
// Frame numbers need not be whole: frame 12.5 lies halfway between 12 and 13.

#include <vector>

#include "VantrelLib/document/FrameTableData.h"

namespace VantrelLib {
namespace Analysis {

class VANTREL_EXPORT FrameScale {
public:
    // Throws LtXmlLib3::CLtException saying why when the table cannot serve:
    // no frame entry, numbers that do not strictly increase, a spacing not
    // above zero or not finite, or a FrameNoPP1 without a numeric Id and a
    // Coordinate.
    explicit FrameScale(const CFrameTableData& table);

    // The coordinate of frame number `frame`.
    double ToCoordinate(double frame) const noexcept;
    // The frame number at coordinate `x`: ToCoordinate(ToFrame(x)) == x, up to rounding.
    double ToFrame(double x) const noexcept;

private:
    // From the first entry, along the frames, whatever the sign.
    double Distance(double frame) const noexcept;

    std::vector<double> m_numbers;    // the entries' numbers, increasing
    std::vector<double> m_spacings;   // each entry's spacing, above zero
    std::vector<double> m_distances;  // Distance of each entry's number
    double m_pp1Distance = 0;
    double m_pp1Coordinate = 0;
    double m_sign = 1;
};

}  // namespace Analysis
}  // namespace VantrelLib
