#include "VantrelLib/analysis/WeightCurve.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace VantrelLib {
namespace Analysis {

namespace {

// Where one box's share starts or ends.
struct Event {
    double x;
    std::size_t box;  // its slot in the level's tree
    double perLength;
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

private:
    double m_sum = 0;
    double m_low = 0;
};

// The sum of the shares of the boxes open, as a tree of partial sums: a box
// that ends leaves exactly nothing behind, where a running sum would keep
// its rounding, which a step of great length would then multiply.
class Level {
public:
    explicit Level(std::size_t boxes) {
        while (m_leaves < boxes) m_leaves *= 2;
        m_sums.assign(2 * m_leaves, 0.0);
    }
    void Set(std::size_t box, double value) noexcept {
        std::size_t node = m_leaves + box;
        m_sums[node] = value;
        for (node /= 2; node > 0; node /= 2) m_sums[node] = m_sums[2 * node] + m_sums[2 * node + 1];
    }
    double Value() const noexcept { return m_sums[1]; }

private:
    std::size_t m_leaves = 1;
    std::vector<double> m_sums;
};

}  // namespace

WeightCurve BoxWeightCurve(const MassIndex& index) {
    WeightCurve curve;
    std::vector<Event> events;
    RunningSum total, moment;
    for (const CMassBoxData* box : index.Boxes()) {
        const double mass = box->GetMass();
        double length = 0;  // of its boxes along x
        bool finite = std::isfinite(mass);
        for (const auto& interval : *box->GetInterval()) {
            const double a = interval->GetMin()->GetX(), b = interval->GetMax()->GetX();
            finite = finite && std::isfinite(a) && std::isfinite(b);
            length += std::fabs(b - a);
        }
        const double perLength = mass / length;
        if (!finite || !(length > 0) || !std::isfinite(length) || !std::isfinite(perLength)) {
            ++curve.leftOut;
            continue;
        }
        ++curve.spread;
        total.Add(mass);
        double centre = 0;  // of its boxes, each weighted by its share of the length (no weight above 1: no overflow)
        for (const auto& interval : *box->GetInterval()) {
            const double a = interval->GetMin()->GetX(), b = interval->GetMax()->GetX();
            const double lo = std::min(a, b), extent = std::fabs(b - a);
            centre += extent / length * (lo + extent / 2);
            if (extent == 0) continue;  // no length, no share
            events.push_back({lo, events.size() / 2, perLength, true});
            events.push_back({std::max(a, b), events.size() / 2, perLength, false});
        }
        moment.Add(mass * centre);
    }
    curve.total = total.Value();
    curve.centre = curve.total != 0 ? moment.Value() / curve.total : std::numeric_limits<double>::quiet_NaN();

    std::sort(events.begin(), events.end(), [](const Event& a, const Event& b) { return a.x < b.x; });
    Level level(events.size() / 2);
    for (std::size_t i = 0; i < events.size();) {
        const double x = events[i].x;
        for (; i < events.size() && events[i].x == x; ++i)
            level.Set(events[i].box, events[i].opens ? events[i].perLength : 0.0);
        if (i == events.size() || level.Value() == 0) continue;
        WeightStep* last = curve.steps.empty() ? nullptr : &curve.steps.back();
        if (last != nullptr && last->to == x && last->perLength == level.Value())
            last->to = events[i].x;  // two boxes of one level end to end: one step
        else
            curve.steps.push_back({x, events[i].x, level.Value()});
    }
    return curve;
}

}  // namespace Analysis
}  // namespace VantrelLib
