#pragma once
// The arithmetic of the pictures: the extent of the data, the linear map from
// data to pixels, and round tick values. Any finite double may come in
// (documents hold 1e308 as well as 0.1), so nothing here overflows.

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace VantrelTool {

// The smallest and largest of the finite values taken in.
struct Extent {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -std::numeric_limits<double>::infinity();

    // Takes `value` in when it is finite; says whether it was.
    bool Take(double value) {
        if (!std::isfinite(value)) return false;
        lo = std::min(lo, value);
        hi = std::max(hi, value);
        return true;
    }
    bool Empty() const { return lo > hi; }
};

// Maps [lo, hi] of the data onto [from, to] in pixels (to < from for an axis
// that grows upwards): the extremes of the data land on the ends exactly.
class Scale {
public:
    // The extent's ends, or around its one value when they are equal (the
    // value then lands in the middle); [0, 1] for an empty extent.
    Scale(const Extent& extent, double from, double to) : m_from(from), m_to(to) {
        if (extent.Empty()) {
            m_known = false;
        } else if (extent.lo < extent.hi) {
            m_lo = extent.lo;
            m_hi = extent.hi;
        } else {
            const double v = extent.lo;
            double pad = std::fabs(v) / 2;
            if (!(pad > 0)) pad = 1;
            m_lo = v - pad;
            m_hi = v + pad;
            if (!std::isfinite(m_lo) || !std::isfinite(m_hi)) {  // v near the largest double
                m_lo = std::min(v, v / 2);
                m_hi = std::max(v, v / 2);
            }
        }
    }

    // False where the extent was empty: the ends mean nothing.
    bool Known() const { return m_known; }
    double Lo() const { return m_lo; }
    double Hi() const { return m_hi; }
    bool Contains(double value) const { return value >= m_lo && value <= m_hi; }

    // The pixel of a finite `value`.
    double operator()(double value) const {
        const double span = m_hi - m_lo;
        // Halves keep a span of the whole double range finite.
        const double t = std::isfinite(span) ? (value - m_lo) / span : (value / 2 - m_lo / 2) / (m_hi / 2 - m_lo / 2);
        return m_from + t * (m_to - m_from);
    }

    // Round values (1, 2 or 5 times a power of ten apart) inside [lo, hi],
    // about `count` of them; the two ends where no round step fits.
    std::vector<double> Ticks(int count = 5) const {
        const double raw = (m_hi / 2 - m_lo / 2) / (count / 2.0);
        const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
        const double ratio = raw / magnitude;  // 1 to 10
        const double step = magnitude * (ratio < 1.5 ? 1 : ratio < 3 ? 2 : ratio < 7 ? 5 : 10);
        std::vector<double> ticks;
        const double first = std::ceil(m_lo / step) * step;
        for (int k = 0; k <= 2 * count + 1 && std::isfinite(step) && step > 0; ++k) {
            const double tick = first + k * step;
            if (tick > m_hi || !std::isfinite(tick)) break;
            if (tick < m_lo) continue;  // rounded below the first
            if (ticks.empty() || tick > ticks.back()) ticks.push_back(tick == 0 ? 0.0 : tick);  // no -0
        }
        if (ticks.size() < 2) ticks = {m_lo, m_hi};
        return ticks;
    }

private:
    double m_lo = 0;
    double m_hi = 1;
    bool m_known = true;
    double m_from;
    double m_to;
};

}  // namespace VantrelTool
