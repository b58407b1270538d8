#include "VantrelLib/analysis/WeightCurve.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace VantrelLib {
namespace Analysis {

namespace {

// Where a box mass's share starts (+perLength) or ends (-perLength).
struct Event {
    double x;
    double change;
    bool opens;
};

// A running sum that keeps the low bits a plain sum would lose (Neumaier),
// so that masses far apart in size still add up to what they should.
class RunningSum {
public:
    void Add(double value) noexcept {
        const double sum = m_sum + value;
        m_low += std::fabs(m_sum) >= std::fabs(value) ? (m_sum - sum) + value : (value - sum) + m_sum;
        m_sum = sum;
    }
    double Value() const noexcept { return m_sum + m_low; }
    void Reset() noexcept { m_sum = m_low = 0; }

private:
    double m_sum = 0;
    double m_low = 0;
};

}  // namespace

WeightCurve BoxWeightCurve(const MassIndex& index) {
    WeightCurve curve;
    std::vector<Event> events;
    RunningSum total, moment;
    for (const CMassBoxData* box : index.Boxes()) {
        const double mass = box->GetMass();
        double length = 0, lengthMoment = 0;  // of its boxes along x, and their sum of length times middle
        bool finite = std::isfinite(mass);
        for (const auto& interval : *box->GetInterval()) {
            const double a = interval->GetMin()->GetX(), b = interval->GetMax()->GetX();
            finite = finite && std::isfinite(a) && std::isfinite(b);
            const double lo = std::min(a, b), extent = std::max(a, b) - lo;
            length += extent;
            lengthMoment += extent * (lo + extent / 2);
        }
        const double perLength = mass / length;
        if (!finite || !(length > 0) || !std::isfinite(length) || !std::isfinite(perLength)) {
            ++curve.leftOut;
            continue;
        }
        ++curve.spread;
        total.Add(mass);
        moment.Add(mass * (lengthMoment / length));
        for (const auto& interval : *box->GetInterval()) {
            const double a = interval->GetMin()->GetX(), b = interval->GetMax()->GetX();
            if (a == b) continue;  // no length, no share
            events.push_back({std::min(a, b), perLength, true});
            events.push_back({std::max(a, b), -perLength, false});
        }
    }
    curve.total = total.Value();
    curve.centre = curve.total != 0 ? moment.Value() / curve.total : std::numeric_limits<double>::quiet_NaN();

    // At one x, boxes end before others start: the level returns to exactly zero between boxes that touch.
    std::sort(events.begin(), events.end(),
              [](const Event& a, const Event& b) { return a.x < b.x || (a.x == b.x && !a.opens && b.opens); });
    RunningSum level;
    int open = 0;  // boxes the sweep is inside: none, and the curve is exactly zero
    for (std::size_t i = 0; i < events.size();) {
        const double x = events[i].x;
        for (; i < events.size() && events[i].x == x; ++i) {
            level.Add(events[i].change);
            open += events[i].opens ? 1 : -1;
            if (open == 0) level.Reset();
        }
        if (open == 0 || i == events.size()) continue;
        const double perLength = level.Value();
        WeightStep* last = curve.steps.empty() ? nullptr : &curve.steps.back();
        if (last != nullptr && last->to == x && last->perLength == perLength)
            last->to = events[i].x;  // two boxes of one level end to end: one step
        else
            curve.steps.push_back({x, events[i].x, perLength});
    }
    return curve;
}

}  // namespace Analysis
}  // namespace VantrelLib
