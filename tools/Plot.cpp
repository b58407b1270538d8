// `vantrel plot`: the three pictures, drawn as SVG from the library's index of masses, its frame scale and
// its weight curve.
#include "Plot.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "Commands.h"
#include "DocumentIo.h"
#include "Markup.h"
#include "PlotScale.h"
#include "Summary.h"

namespace VantrelTool {

namespace {

namespace An = VantrelLib::Analysis;

constexpr double kWidth = 1000;
constexpr const char* kInk = "#222";
constexpr const char* kGrid = "#e4e4e4";
constexpr const char* kBoxColour = "#4e79a7";
constexpr const char* kTankColour = "#59a14f";
constexpr const char* kCogColour = "#e15759";
constexpr const char* kContainerColour = "#f28e2b";
constexpr const char* kUnits = "Numbers as the document gives them: the format states no units.";

struct Area {
    double left, top, width, height;
    double Right() const { return left + width; }
    double Bottom() const { return top + height; }
};

std::string TickLabel(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value == 0 ? 0.0 : value);
    return text;
}

// The shortest text that reads back to the same double, as documents write
// it: the CSV loses nothing.
std::string Exact(double value) { return LtXmlLib3::CConversions::r8ToString(value); }

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + '"';
}

std::string Titled(const std::string& what, const std::string& id, bool hasTitle, const std::string& title) {
    return what + " " + id + (hasTitle ? " \"" + title + "\"" : std::string());
}

// Where the ship is along x: its perpendiculars and, where the frame table
// can place them, its frames.
struct Ship {
    std::optional<double> pp1, pp2;
    std::optional<An::FrameScale> frames;
    std::string noFrames;   // why a frame table gives no frame numbers
    bool reversed = false;  // PP2 lies at a smaller x than PP1: drawn mirrored, so that aft stays on the left
};

Ship ShipOf(const VantrelLib::CVantrel& document) {
    Ship ship;
    const auto general = document.GetGeneralData();
    if (!general || !general->GetFrameTable()) return ship;
    const auto table = general->GetFrameTable();
    auto coordinate = [](const gdt::CFrame& frame) -> std::optional<double> {
        if (frame.IsValidCoordinate() && std::isfinite(frame.GetCoordinate())) return frame.GetCoordinate();
        return std::nullopt;
    };
    ship.pp1 = coordinate(*table->GetFrameNoPP1());
    ship.pp2 = coordinate(*table->GetFrameNoPP2());
    ship.reversed = ship.pp1 && ship.pp2 && *ship.pp2 < *ship.pp1;
    try {
        ship.frames.emplace(*table);
    } catch (const LtXmlLib3::CLtException& error) {
        ship.noFrames = error.what();
    }
    return ship;
}

// The perpendiculars, which every picture along x spans.
Extent ShipExtent(const Ship& ship) {
    Extent extent;
    if (ship.pp1) extent.Take(*ship.pp1);
    if (ship.pp2) extent.Take(*ship.pp2);
    return extent;
}

Scale AlongShip(const Extent& extent, const Area& area, const Ship& ship) {
    return ship.reversed ? Scale(extent, area.Right(), area.left) : Scale(extent, area.left, area.Right());
}

// One picture: its elements, then the notes under them.
class Canvas {
public:
    Canvas(const char* kind, std::string title) : m_kind(kind), m_title(std::move(title)) {}

    Markup& Svg() { return m_body; }
    void Note(const std::string& note) { m_notes.push_back(note); }

    void Line(double x1, double y1, double x2, double y2, const char* stroke, Attributes more = {}) {
        Attributes attributes{{"x1", Px(x1)}, {"y1", Px(y1)}, {"x2", Px(x2)}, {"y2", Px(y2)}, {"stroke", stroke}};
        attributes.insert(attributes.end(), more.begin(), more.end());
        m_body.Empty("line", attributes);
    }
    void Label(double x, double y, const std::string& text, const char* anchor = "middle", Attributes more = {}) {
        Attributes attributes{{"x", Px(x)}, {"y", Px(y)}, {"text-anchor", anchor}};
        attributes.insert(attributes.end(), more.begin(), more.end());
        m_body.Element("text", attributes, text);
    }

    // Grid, ticks and labels of both axes, the frame numbers along the top:
    // drawn before the data, which lies over them.
    void Grid(const Area& area, const Scale& x, const Scale& y, const Ship& ship, const std::string& yLabel) {
        for (const double tick : y.Known() ? y.Ticks(4) : std::vector<double>()) {
            Line(area.left, y(tick), area.Right(), y(tick), kGrid);
            Label(area.left - 6, y(tick) + 4, TickLabel(tick), "end");
        }
        for (const double tick : x.Known() ? x.Ticks(8) : std::vector<double>()) {
            Line(x(tick), area.top, x(tick), area.Bottom(), kGrid);
            Label(x(tick), area.Bottom() + 14, TickLabel(tick));
        }
        Label(area.left, area.Bottom() + 30, "aft", "start");
        Label((area.left + area.Right()) / 2, area.Bottom() + 30, "x along the ship");
        Label(area.Right(), area.Bottom() + 30, "forward", "end");
        if (!yLabel.empty()) {
            const double cx = area.left - 62, cy = (area.top + area.Bottom()) / 2;
            Label(cx, cy, yLabel, "middle", {{"transform", "rotate(-90 " + Px(cx) + " " + Px(cy) + ")"}});
        }
        if (!ship.frames || !x.Known()) return;
        Extent frames;
        frames.Take(ship.frames->ToFrame(x.Lo()));
        frames.Take(ship.frames->ToFrame(x.Hi()));
        if (frames.Empty()) return;
        Label(area.left - 14, area.top - 6, "frame", "end", {{"font-size", "10"}});
        for (const double frame : Scale(frames, 0, 1).Ticks(8)) {
            const double at = ship.frames->ToCoordinate(frame);
            if (!x.Contains(at)) continue;
            Line(x(at), area.top - 4, x(at), area.top, kInk);
            Label(x(at), area.top - 6, TickLabel(frame), "middle", {{"font-size", "10"}});
        }
    }

    // The outline of the plotting area and the perpendiculars, over the data.
    void Frame(const Area& area, const Scale& x, const Ship& ship) {
        for (const auto& [name, at] : {std::pair<const char*, std::optional<double>>{"PP1", ship.pp1}, {"PP2", ship.pp2}}) {
            if (!at || !x.Contains(*at)) continue;
            Line(x(*at), area.top, x(*at), area.Bottom(), kInk,
                 {{"class", "pp"}, {"stroke-dasharray", "6 3"}, {"data-name", name}});
            Label(x(*at) + 3, area.Bottom() - 4, name, "start", {{"font-size", "10"}});
        }
        m_body.Empty("rect", {{"class", "plot-area"}, {"x", Px(area.left)}, {"y", Px(area.top)},
                              {"width", Px(area.width)}, {"height", Px(area.height)}, {"fill", "none"},
                              {"stroke", kInk}});
    }

    void NoData(const Area& area, const std::string& why) {
        Label((area.left + area.Right()) / 2, (area.top + area.Bottom()) / 2, "no data: " + why, "middle",
              {{"class", "no-data"}, {"fill", "#888"}});
    }

    // The whole <svg> element, the notes from `notesTop` down.
    std::string Take(double notesTop) {
        m_notes.push_back(kUnits);
        for (std::size_t i = 0; i < m_notes.size(); ++i)
            Label(20, notesTop + 16 * static_cast<double>(i), m_notes[i], "start", {{"class", "note"}});
        const double height = notesTop + 16 * static_cast<double>(m_notes.size());
        Markup svg;
        svg.Open("svg", {{"xmlns", "http://www.w3.org/2000/svg"},
                         {"width", Px(kWidth)},
                         {"height", Px(height)},
                         {"viewBox", "0 0 " + Px(kWidth) + " " + Px(height)},
                         {"class", "vantrel-plot"},
                         {"data-kind", m_kind},
                         {"font-family", "sans-serif"},
                         {"font-size", "12"},
                         {"fill", kInk}});
        svg.Element("title", {}, m_title);
        svg.Empty("rect", {{"width", Px(kWidth)}, {"height", Px(height)}, {"fill", "white"}});
        svg.Element("text", {{"x", "20"}, {"y", "28"}, {"font-size", "16"}, {"font-weight", "bold"}}, m_title);
        return svg.Raw(m_body.Take()).Take();
    }

private:
    const char* m_kind;
    std::string m_title;
    Markup m_body;
    std::vector<std::string> m_notes;
};

// The points of a polygon or polyline.
std::string Points(const std::vector<std::pair<double, double>>& points) {
    std::string text;
    for (const auto& [x, y] : points) text += (text.empty() ? "" : " ") + Px(x) + "," + Px(y);
    return text;
}

void NoteLeftOut(Canvas& canvas, int count, const char* one, const char* many, const std::string& why) {
    if (count > 0) canvas.Note("Left out: " + std::to_string(count) + " " + (count == 1 ? one : many) + " (" + why + ").");
}

struct Component {
    const char* name;
    const char* kind;
    double (VantrelLib::CLoadEnvelopeForce::*get)() const;
};
const Component kComponents[] = {{"x", "Force", &VantrelLib::CLoadEnvelopeForce::GetX},
                                 {"y", "Force", &VantrelLib::CLoadEnvelopeForce::GetY},
                                 {"z", "Force", &VantrelLib::CLoadEnvelopeForce::GetZ},
                                 {"xx", "Moment", &VantrelLib::CLoadEnvelopeForce::GetXx},
                                 {"yy", "Moment", &VantrelLib::CLoadEnvelopeForce::GetYy},
                                 {"zz", "Moment", &VantrelLib::CLoadEnvelopeForce::GetZz}};

Picture Envelopes(const VantrelLib::CVantrel& document, const Ship& ship, const std::string& name) {
    Canvas canvas("envelopes", "Load envelopes of " + name);
    std::vector<const VantrelLib::CLongitudinalPosition*> positions;
    int notFinite = 0;
    const auto loadcases = document.GetLoadcaseData();
    if (loadcases && loadcases->GetLoadEnvelopes())
        for (const auto& position : *loadcases->GetLoadEnvelopes()->GetLongitudinalPosition()) {
            if (std::isfinite(position->GetXPosition()))
                positions.push_back(position.get());
            else
                notFinite += 6;
        }
    // The band runs along x whatever the order of the document.
    std::stable_sort(positions.begin(), positions.end(),
                     [](const auto* a, const auto* b) { return a->GetXPosition() < b->GetXPosition(); });
    Extent along = ShipExtent(ship);
    for (const auto* position : positions) along.Take(position->GetXPosition());

    std::string csv = "component,XPosition,MinForces,MaxForces\n";
    for (std::size_t c = 0; c < std::size(kComponents); ++c) {
        const Component& component = kComponents[c];
        const Area area{100 + 480 * static_cast<double>(c / 3), 90 + 250 * static_cast<double>(c % 3), 380, 160};
        std::vector<std::pair<double, double>> upper, lower;  // (x, value)
        Extent values;
        for (const auto* position : positions) {
            const double min = (position->GetMinForces().get()->*component.get)();
            const double max = (position->GetMaxForces().get()->*component.get)();
            if (!std::isfinite(min) || !std::isfinite(max)) {
                ++notFinite;
                continue;
            }
            upper.emplace_back(position->GetXPosition(), max);
            lower.emplace_back(position->GetXPosition(), min);
            values.Take(min);
            values.Take(max);
            csv += std::string(component.name) + "," + Exact(position->GetXPosition()) + "," + Exact(min) + "," +
                   Exact(max) + "\n";
        }
        const Scale x = AlongShip(along, area, ship), y(values, area.Bottom(), area.top);
        canvas.Grid(area, x, y, ship, "");
        canvas.Label(area.left, area.top - 22, std::string(component.kind) + " " + component.name, "start",
                     {{"font-weight", "bold"}});
        if (upper.empty()) {
            canvas.NoData(area, positions.empty() ? "no load envelopes" : "no finite values");
        } else {
            std::vector<std::pair<double, double>> band;
            for (const auto& [at, value] : upper) band.emplace_back(x(at), y(value));
            for (auto point = lower.rbegin(); point != lower.rend(); ++point)
                band.emplace_back(x(point->first), y(point->second));
            canvas.Svg().Empty("polygon", {{"class", "band"},
                                           {"data-component", component.name},
                                           {"points", Points(band)},
                                           {"fill", kBoxColour},
                                           {"fill-opacity", "0.3"},
                                           {"stroke", kBoxColour}});
        }
        canvas.Frame(area, x, ship);
    }
    canvas.Note("Each band runs from MinForces to MaxForces of its component at each XPosition.");
    NoteLeftOut(canvas, notFinite, "value", "values", "not finite: XPosition, MinForces or MaxForces");
    if (!ship.noFrames.empty()) canvas.Note("No frame numbers: " + ship.noFrames + ".");
    return {canvas.Take(90 + 250 * 3), csv};
}

// A rectangle of the side view, or a point where x0 == x1 and z0 == z1.
struct Shape {
    double x0, x1, z0, z1;
    std::string id;
    std::string tip;
};

Picture Masses(const VantrelLib::CVantrel& document, const Ship& ship, const std::string& name) {
    Canvas canvas("masses", "Masses of " + name + ", side view");
    const An::MassIndex index(document);
    std::vector<Shape> boxes, tanks, cogs, containers;
    Extent along = ShipExtent(ship), heights;
    int boxesLeftOut = 0, cogsLeftOut = 0, containersLeftOut = 0;
    auto takeBox = [&](std::vector<Shape>& into, const gdt::CBox& box, const std::string& id, const std::string& tip) {
        const auto min = box.GetMin(), max = box.GetMax();
        const bool known = min->IsValidZ() && max->IsValidZ();
        const double x[] = {min->GetX(), max->GetX()}, z[] = {known ? min->GetZ() : NAN, known ? max->GetZ() : NAN};
        if (!(std::isfinite(x[0]) && std::isfinite(x[1]) && std::isfinite(z[0]) && std::isfinite(z[1]))) {
            ++boxesLeftOut;
            return;
        }
        into.push_back({std::min(x[0], x[1]), std::max(x[0], x[1]), std::min(z[0], z[1]), std::max(z[0], z[1]), id, tip});
        along.Take(x[0]), along.Take(x[1]), heights.Take(z[0]), heights.Take(z[1]);
    };
    std::string csv = "shape,kind,id,x_min,x_max,z_min,z_max,title\n";
    for (const auto* mass : index.Boxes()) {
        const std::string id = FormatNumber(mass->GetId());
        const std::string tip = Titled("Box mass", id, mass->IsValidTitle(), mass->IsValidTitle() ? mass->GetTitle() : "") +
                                ", mass " + FormatNumber(mass->GetMass());
        for (const auto& box : *mass->GetInterval()) takeBox(boxes, *box, id, tip);
        const auto cog = mass->GetCoG();
        if (cog->IsValidZ() && std::isfinite(cog->GetX()) && std::isfinite(cog->GetZ())) {
            cogs.push_back({cog->GetX(), cog->GetX(), cog->GetZ(), cog->GetZ(), id, "Centre of gravity of " + tip});
            along.Take(cog->GetX()), heights.Take(cog->GetZ());
        } else {
            ++cogsLeftOut;
        }
    }
    for (const auto* tank : index.Tanks()) {
        const std::string id = std::to_string(tank->GetId());
        const std::string tip = Titled("Tank", id, tank->IsValidTitle(), tank->IsValidTitle() ? tank->GetTitle() : "");
        for (const auto& box : *tank->GetInterval()) takeBox(tanks, *box, id, tip);
    }
    for (const auto* container : index.Containers()) {
        if (!std::isfinite(container->GetCoGx())) {
            ++containersLeftOut;
            continue;
        }
        const std::string id = std::to_string(container->GetId());
        containers.push_back({container->GetCoGx(), container->GetCoGx(), 0, 0, id,
                              Titled("Container block", id, container->IsValidTitle(),
                                     container->IsValidTitle() ? container->GetTitle() : "") +
                                  ", CoGx " + FormatNumber(container->GetCoGx())});
        along.Take(container->GetCoGx());
    }

    const Area area{100, 80, 860, 320};
    const Scale x = AlongShip(along, area, ship), z(heights, area.Bottom(), area.top);
    canvas.Grid(area, x, z, ship, "z");
    const bool empty = boxes.empty() && tanks.empty() && cogs.empty() && containers.empty();
    if (empty) canvas.NoData(area, document.GetMasses() ? "no box, tank or container masses" : "no masses");

    // Ids where they overlap no other Id: boxes of one place (port and starboard tanks) show one.
    std::vector<Area> labels;
    auto label = [&](double cx, double baseline, const std::string& text, const char* colour) {
        const Area box{cx - 3.5 * static_cast<double>(text.size()), baseline - 11, 7.0 * static_cast<double>(text.size()), 13};
        for (const Area& other : labels)
            if (box.left < other.Right() && other.left < box.Right() && box.top < other.Bottom() && other.top < box.Bottom())
                return;
        labels.push_back(box);
        canvas.Label(cx, baseline, text, "middle", {{"class", "label"}, {"fill", colour}});
    };
    auto drawBoxes = [&](const std::vector<Shape>& shapes, const char* kind, const char* colour) {
        for (const Shape& shape : shapes) {
            const double left = std::min(x(shape.x0), x(shape.x1)), right = std::max(x(shape.x0), x(shape.x1));
            const double top = z(shape.z1), bottom = z(shape.z0);
            canvas.Svg()
                .Open("rect", {{"class", kind},
                               {"x", Px(left)},
                               {"y", Px(top)},
                               {"width", Px(right - left)},
                               {"height", Px(bottom - top)},
                               {"fill", colour},
                               {"fill-opacity", "0.2"},
                               {"stroke", colour}})
                .Element("title", {}, shape.tip)
                .Close();
            // The Id where it fits inside the box.
            if (right - left >= 7.0 * static_cast<double>(shape.id.size()) + 4 && bottom - top >= 14)
                label((left + right) / 2, (top + bottom) / 2 + 4, shape.id, kInk);
            csv += std::string("box,") + kind + "," + CsvField(shape.id) + "," + Exact(shape.x0) + "," +
                   Exact(shape.x1) + "," + Exact(shape.z0) + "," + Exact(shape.z1) + "," + CsvField(shape.tip) + "\n";
        }
    };
    drawBoxes(tanks, "tank", kTankColour);
    drawBoxes(boxes, "box", kBoxColour);
    for (const Shape& cog : cogs) {
        canvas.Svg()
            .Open("circle", {{"class", "cog"}, {"cx", Px(x(cog.x0))}, {"cy", Px(z(cog.z0))}, {"r", "4"},
                             {"fill", kCogColour}})
            .Element("title", {}, cog.tip)
            .Close();
        csv += "cog,box," + CsvField(cog.id) + "," + Exact(cog.x0) + "," + Exact(cog.x0) + "," + Exact(cog.z0) + "," +
               Exact(cog.z0) + "," + CsvField(cog.tip) + "\n";
    }
    // Blocks at one CoGx share a label: "C1, 2".
    std::vector<std::pair<double, std::string>> containerLabels;
    for (const Shape& container : containers) {
        const double at = x(container.x0);
        canvas.Svg()
            .Open("line", {{"class", "container"}, {"x1", Px(at)}, {"y1", Px(area.top)}, {"x2", Px(at)},
                           {"y2", Px(area.Bottom())}, {"stroke", kContainerColour}, {"stroke-width", "2"},
                           {"stroke-dasharray", "2 3"}})
            .Element("title", {}, container.tip)
            .Close();
        const auto same = std::find_if(containerLabels.begin(), containerLabels.end(),
                                       [at](const auto& placed) { return placed.first == at; });
        if (same == containerLabels.end())
            containerLabels.emplace_back(at, "C" + container.id);
        else
            same->second += ", " + container.id;
        csv += "container,container," + CsvField(container.id) + "," + Exact(container.x0) + "," +
               Exact(container.x0) + ",,," + CsvField(container.tip) + "\n";
    }
    for (const auto& [at, text] : containerLabels) label(at, area.top + 14, text, kContainerColour);
    canvas.Frame(area, x, ship);

    // The legend, under the axis labels.
    double legend = area.left;
    const double legendY = area.Bottom() + 52;
    for (const auto& [text, colour] : {std::pair<const char*, const char*>{"box mass (boxes, Id)", kBoxColour},
                                       {"tank (boxes, Id)", kTankColour},
                                       {"centre of gravity of a box mass", kCogColour},
                                       {"container block at its CoGx (C Id)", kContainerColour}}) {
        canvas.Svg().Empty("rect", {{"x", Px(legend)}, {"y", Px(legendY - 10)}, {"width", "12"}, {"height", "12"},
                                    {"fill", colour}, {"fill-opacity", "0.6"}});
        canvas.Label(legend + 18, legendY, text, "start");
        legend += 215;
    }
    NoteLeftOut(canvas, boxesLeftOut, "box", "boxes", "x or z of a corner unknown or not finite");
    NoteLeftOut(canvas, cogsLeftOut, "centre of gravity", "centres of gravity", "x or z unknown or not finite");
    NoteLeftOut(canvas, containersLeftOut, "container block", "container blocks", "CoGx not finite");
    if (!ship.noFrames.empty()) canvas.Note("No frame numbers: " + ship.noFrames + ".");
    return {canvas.Take(legendY + 30), csv};
}

Picture Weight(const VantrelLib::CVantrel& document, const Ship& ship, const std::string& name) {
    Canvas canvas("weight", "Weight curve of the box masses of " + name);
    const An::MassIndex index(document);
    const An::WeightCurve curve = An::BoxWeightCurve(index);
    Extent along = ShipExtent(ship), values;
    int stepsLeftOut = 0;
    std::vector<An::WeightStep> steps;
    for (const An::WeightStep& step : curve.steps) {
        if (!std::isfinite(step.perLength)) {
            ++stepsLeftOut;  // masses so large that their sum overflows
            continue;
        }
        steps.push_back(step);
        along.Take(step.from), along.Take(step.to), values.Take(step.perLength);
    }
    if (!steps.empty()) values.Take(0);  // the curve stands on its base line
    const Area area{100, 80, 860, 300};
    const Scale x = AlongShip(along, area, ship), y(values, area.Bottom(), area.top);
    canvas.Grid(area, x, y, ship, "mass per unit length of x");
    std::string csv = "x_from,x_to,mass_per_length\n";
    if (steps.empty()) {
        canvas.NoData(area, !index.Boxes().empty()
                                ? "no box mass can be spread"
                                : "no box masses");
    } else {
        // Down to zero wherever the curve has a gap, and at both ends.
        std::vector<std::pair<double, double>> points;
        for (std::size_t i = 0; i < steps.size(); ++i) {
            if (i == 0 || steps[i].from != steps[i - 1].to) {
                if (i > 0) points.emplace_back(x(steps[i - 1].to), y(0));
                points.emplace_back(x(steps[i].from), y(0));
            }
            points.emplace_back(x(steps[i].from), y(steps[i].perLength));
            points.emplace_back(x(steps[i].to), y(steps[i].perLength));
            csv += Exact(steps[i].from) + "," + Exact(steps[i].to) + "," + Exact(steps[i].perLength) + "\n";
        }
        points.emplace_back(x(steps.back().to), y(0));
        canvas.Svg().Empty("polygon", {{"class", "curve"},
                                       {"points", Points(points)},
                                       {"fill", kBoxColour},
                                       {"fill-opacity", "0.3"},
                                       {"stroke", kBoxColour}});
        canvas.Line(area.left, y(0), area.Right(), y(0), kInk);
    }
    canvas.Frame(area, x, ship);
    if (curve.spread > 0)
        canvas.Note("Total " + FormatNumber(curve.total) + " of " + std::to_string(curve.spread) +
                    (curve.spread == 1 ? " box mass" : " box masses") + ", longitudinal centre at x = " +
                    TickLabel(curve.centre) + ".");
    canvas.Note("Each box mass is spread uniformly over its boxes, each box taking a share in proportion to its "
                "length along x.");
    NoteLeftOut(canvas, curve.leftOut, "box mass", "box masses",
                "a mass or a box end along x not finite, or boxes of no length");
    NoteLeftOut(canvas, stepsLeftOut, "step", "steps", "masses adding up beyond the largest number");
    if (!ship.noFrames.empty()) canvas.Note("No frame numbers: " + ship.noFrames + ".");
    return {canvas.Take(area.Bottom() + 60), csv};
}

}  // namespace

Picture Draw(const VantrelLib::CVantrel& document, PlotKind kind, const std::string& name) {
    const Ship ship = ShipOf(document);
    switch (kind) {
        case PlotKind::Envelopes: return Envelopes(document, ship, name);
        case PlotKind::Masses: return Masses(document, ship, name);
        case PlotKind::Weight: return Weight(document, ship, name);
    }
    return {};
}

int RunPlot(const PlotOptions& options, std::ostream& out, std::ostream& err) {
    const ReadResult read = ReadDocument(options.file);
    if (!read.document) {
        err << read.errors;
        return kExitFailure;
    }
    const Picture picture = Draw(*read.document, options.kind, DisplayName(options.file));
    if (!WriteText("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + picture.svg, options.output, "plot", out,
                   err))
        return kExitFailure;
    if (!options.data.empty() && !WriteText(picture.csv, options.data, "plot", out, err)) return kExitFailure;
    return kExitOk;
}

}  // namespace VantrelTool
