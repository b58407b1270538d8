#pragma once
// The box masses of a document spread along the ship as a step curve of mass
// per unit length of x: the usual input of a still-water bending calculation.
// Each box mass is spread uniformly over its boxes, each box taking a share in
// proportion to its length along x (the y and z extents play no part), and
// the shares of all box masses are summed. Beside the format: the document
// is only read.

#include <vector>

#include "VantrelLib/analysis/MassIndex.h"

namespace VantrelLib {
namespace Analysis {

// One step of the curve: `perLength` from x = `from` to x = `to` (from < to).
struct WeightStep {
    double from = 0;
    double to = 0;
    double perLength = 0;
};

struct WeightCurve {
    // The steps in increasing x, none overlapping; where no box lies the
    // curve is zero and has no step.
    std::vector<WeightStep> steps;
    double total = 0;  // the sum of the masses spread: the area under the curve
    // Their longitudinal centre: the curve's first moment over its area, NaN
    // when nothing is spread or the total is zero.
    double centre = 0;
    int spread = 0;  // box masses spread
    // Box masses not spread: a mass or an x end of a box that is not finite,
    // or boxes of no length along x (a point mass has no curve).
    int leftOut = 0;
};

// The weight curve of the box masses in `index`. A box's ends along x are
// taken in either order.
VANTREL_EXPORT WeightCurve BoxWeightCurve(const MassIndex& index);

}  // namespace Analysis
}  // namespace VantrelLib
