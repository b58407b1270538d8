// The weight curve of the library, and `vantrel plot` and `vantrel report` run as processes: what is drawn
// matches the data and fills the plotting area, documents missing any part still draw, nothing non-finite or
// unescaped reaches the markup.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "RandomTree.h"
#include "TestSupport.h"
#include "ToolRun.h"

namespace {

namespace An = VantrelLib::Analysis;
const std::string kSample = VANTREL_SOURCE_DIR "/examples/ship.xml";

// The curve's area and first moment, step by step; the steps in order, none overlapping.
std::pair<double, double> Integrate(const An::WeightCurve& curve) {
    double area = 0, moment = 0, end = -INFINITY;
    for (const An::WeightStep& step : curve.steps) {
        EXPECT_TRUE(end <= step.from && step.from < step.to) << step.from;
        end = step.to;
        const double width = step.to - step.from;
        area += step.perLength * width;
        moment += step.perLength * width * (step.from + width / 2);
    }
    return {area, moment};
}

TEST(WeightCurve, EnclosesTheMassesSpreadAtTheirCentre) {
    auto sample = VantrelLib::CVantrel::CreateInstance();
    sample->FromXmlFile(kSample);
    const An::WeightCurve curve = An::BoxWeightCurve(An::MassIndex(*sample));
    EXPECT_EQ(curve.spread, 6);
    EXPECT_DOUBLE_EQ(curve.total, 4605);  // the declared total of `vantrel stats`
    const auto [area, moment] = Integrate(curve);
    EXPECT_NEAR(area, 4605, 4605 * 1e-9);
    EXPECT_NEAR(moment / area, curve.centre, std::fabs(curve.centre) * 1e-9);

    int compared = 0;
    for (std::uint64_t seed = 1; seed <= 400; ++seed) {
        const auto document = randomtree::RandomVantrel(seed);
        const An::MassIndex index(*document);
        const An::WeightCurve random = An::BoxWeightCurve(index);
        EXPECT_EQ(random.spread + random.leftOut, static_cast<int>(index.Boxes().size())) << seed;
        double masses = 0, reach = 0;  // the sum of |mass| and the largest |x|: the scale of rounding
        for (const auto* box : index.Boxes()) {
            if (std::isfinite(box->GetMass())) masses += std::fabs(box->GetMass());
            for (const auto& interval : *box->GetInterval())
                for (const double x : {interval->GetMin()->GetX(), interval->GetMax()->GetX()})
                    if (std::isfinite(x)) reach = std::max(reach, std::fabs(x));
        }
        const auto [randomArea, randomMoment] = Integrate(random);
        if (!std::isfinite(randomArea + randomMoment + masses * reach) || random.spread == 0) continue;
        EXPECT_NEAR(randomArea, random.total, masses * 1e-9) << seed;
        EXPECT_NEAR(randomMoment, random.total * random.centre, masses * reach * 1e-9) << seed;
        ++compared;
    }
    EXPECT_GT(compared, 40);
}

#ifdef VANTREL_TOOL_EXE

using Attributes = std::map<std::string, std::string>;

// The attributes of every element `name` of class `kind` in `markup`.
std::vector<Attributes> Elements(const std::string& markup, const std::string& name, const std::string& kind) {
    static const std::regex element(R"(<(\w+)((?:\s+[\w:-]+="[^"]*")*)\s*/?>)"), attribute(R"(([\w:-]+)="([^"]*)\")");
    std::vector<Attributes> found;
    for (std::sregex_iterator e(markup.begin(), markup.end(), element), end; e != end; ++e) {
        Attributes attributes;
        const std::string text = (*e)[2];
        for (std::sregex_iterator a(text.begin(), text.end(), attribute); a != end; ++a) attributes[(*a)[1]] = (*a)[2];
        if ((*e)[1] == name && attributes["class"] == kind) found.push_back(attributes);
    }
    return found;
}

std::vector<std::pair<double, double>> PointsOf(const Attributes& polygon) {
    std::vector<std::pair<double, double>> points;
    std::istringstream text(polygon.at("points"));
    double x, y;
    char comma;
    while (text >> x >> comma >> y) points.emplace_back(x, y);
    return points;
}

class Pictures : public toolrun::ProcessTest {
protected:
    // The picture of `kind` of `file`, checked well-formed by an independent parser.
    std::string Plot(const std::string& file, const std::string& kind) const {
        const toolrun::Outcome outcome = RunTool({"plot", file, "--kind", kind, "-o", "out.svg", "--data", "out.csv"});
        EXPECT_EQ(outcome.status, 0) << kind << outcome.err;
        EXPECT_EQ(RunShell("xmllint --noout out.svg").status, 0) << kind << " (xmllint: libxml2-utils)";
        return toolrun::Read(m_dir / "out.svg");
    }
    // The smallest and largest x and y of what is drawn must be the edges of the plotting area.
    static void ExpectSpans(const Attributes& area, const std::vector<double>& xs, const std::vector<double>& ys) {
        const auto [left, right] = std::minmax_element(xs.begin(), xs.end());
        const auto [top, bottom] = std::minmax_element(ys.begin(), ys.end());
        EXPECT_EQ(std::vector<double>({*left, *top, *right - *left, *bottom - *top}),
                  std::vector<double>({std::stod(area.at("x")), std::stod(area.at("y")), std::stod(area.at("width")),
                                       std::stod(area.at("height"))}));
    }
};

TEST_F(Pictures, DrawEveryPositionAndBoxAcrossThePlottingArea) {
    std::string svg = Plot(kSample, "envelopes");
    const auto bands = Elements(svg, "polygon", "band"), areas = Elements(svg, "rect", "plot-area");
    const auto pps = Elements(svg, "line", "pp");
    ASSERT_EQ(bands.size(), 6u);
    ASSERT_EQ(areas.size(), 6u);
    for (std::size_t c = 0; c < bands.size(); ++c) {
        std::vector<double> xs, ys;
        for (const auto& [x, y] : PointsOf(bands[c])) xs.push_back(x), ys.push_back(y);
        EXPECT_EQ(xs.size(), 2 * 7u);  // a minimum and a maximum at each position
        for (std::size_t p = 2 * c; p < 2 * c + 2; ++p) xs.push_back(std::stod(pps.at(p).at("x1")));
        ExpectSpans(areas[c], xs, ys);
    }
    const std::string csv = toolrun::Read(m_dir / "out.csv");
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 6 * 7);
    EXPECT_EQ(pps.at(0).at("data-name") + pps.at(1).at("data-name"), "PP1PP2");
    EXPECT_LT(std::stod(pps[0].at("x1")), std::stod(pps[1].at("x1")));  // aft on the left

    svg = Plot(kSample, "masses");
    std::vector<double> xs, ys;
    std::map<std::string, std::size_t> counts;
    for (const auto& [name, kind] : {std::pair<const char*, const char*>{"rect", "box"}, {"rect", "tank"},
                                     {"circle", "cog"}, {"line", "container"}, {"line", "pp"}}) {
        const auto elements = Elements(svg, name, kind);
        counts[kind] = elements.size();
        for (const Attributes& shape : elements) {
            if (shape.count("cx")) xs.push_back(std::stod(shape.at("cx"))), ys.push_back(std::stod(shape.at("cy")));
            if (shape.count("x1")) xs.push_back(std::stod(shape.at("x1")));
            if (!shape.count("width")) continue;
            xs.push_back(std::stod(shape.at("x"))), xs.push_back(xs.back() + std::stod(shape.at("width")));
            ys.push_back(std::stod(shape.at("y"))), ys.push_back(ys.back() + std::stod(shape.at("height")));
        }
    }
    EXPECT_EQ(counts, (std::map<std::string, std::size_t>{{"box", 7}, {"tank", 6}, {"cog", 6}, {"container", 5}, {"pp", 2}}));
    // Ids where there is room, one label for the blocks at one x.
    EXPECT_EQ(Elements(svg, "text", "label").size(), 12u);
    for (const char* label : {">C1, 2<", ">C3, 4<", ">C5<", ">205<"}) EXPECT_NE(svg.find(label), std::string::npos) << label;
    ExpectSpans(Elements(svg, "rect", "plot-area").at(0), xs, ys);

    svg = Plot(kSample, "weight");
    xs.clear(), ys.clear();
    for (const auto& [x, y] : PointsOf(Elements(svg, "polygon", "curve").at(0))) xs.push_back(x), ys.push_back(y);
    ExpectSpans(Elements(svg, "rect", "plot-area").at(0), xs, ys);
    EXPECT_NE(svg.find("Total 4605 of 6 box masses, longitudinal centre at x = "), std::string::npos);
    // The polygon encloses the curve's area, down to zero at its gaps and ends: its pixels, scaled back by
    // the axes as the first step gives them (its from, to and level in the numbers), make the total.
    const auto points = PointsOf(Elements(svg, "polygon", "curve").at(0));
    double pixels = 0;
    for (std::size_t i = 0; i < points.size(); ++i)
        pixels += points[i].first * points[(i + 1) % points.size()].second -
                  points[(i + 1) % points.size()].first * points[i].second;
    const std::string numbers = toolrun::Read(m_dir / "out.csv");
    std::istringstream first(numbers.substr(numbers.find('\n') + 1));
    double from, to, level;
    char comma;
    first >> from >> comma >> to >> comma >> level;
    const double perX = (points[2].first - points[1].first) / (to - from);
    const double perY = (points[1].second - points[0].second) / level;
    EXPECT_NEAR(std::fabs(pixels / 2 / perX / perY), 4605, 4605 * 2e-3);
}

TEST_F(Pictures, TheReadmePictureIsWhatTheToolDrawsNow) {
    const toolrun::Outcome outcome = RunShell("cd " + toolrun::Quoted(VANTREL_SOURCE_DIR) + " && " +
                                              toolrun::Quoted(VANTREL_TOOL_EXE) + " plot examples/ship.xml --kind envelopes");
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(toolrun::Read(VANTREL_SOURCE_DIR "/docs/envelopes.svg"), outcome.out)
        << "docs/envelopes.svg is out of date: run `vantrel plot examples/ship.xml --kind envelopes -o "
           "docs/envelopes.svg` in the source folder";
}

// A file that cannot be written whole (a file size limit far below the text)
// is left as it was, and no temporary file stays beside it.
TEST_F(Pictures, AnOutputThatCannotBeWrittenWholeIsLeftAsItWas) {
    File("old.svg", "old");
    const std::string sample = toolrun::Quoted(kSample);
    for (const std::string& command : {"plot " + sample + " --kind masses -o old.svg", "report " + sample + " -o old.svg",
                                       std::string("json-schema -o old.svg")}) {
        const toolrun::Outcome outcome =
            RunShell("trap '' XFSZ; ulimit -f 4; " + toolrun::Quoted(VANTREL_TOOL_EXE) + " " + command);
        EXPECT_EQ(outcome.status, 1) << command << outcome.err;
        EXPECT_EQ(toolrun::Read(m_dir / "old.svg"), "old") << command;
        EXPECT_EQ(Listing(), toolrun::Lines{"old.svg"});
    }
}

// Each edit of the sample, the kind to draw and what the picture must then say.
struct Edit {
    std::string from, to, kind, says;
};

TEST_F(Pictures, DrawWithoutWhatIsMissingOrNotFiniteAndSaySo) {
    const std::string sample = toolrun::Read(kSample);
    // Each section missing, then empty: the pictures that draw it say "no data".
    const std::map<std::string, std::string> drawing{{"LoadcaseData", "envelopes"}, {"Masses", "masses weight"}};
    std::vector<Edit> edits;
    for (const std::string section : {"GeneralData", "LoadcaseData", "Masses", "Hydrodynamic"}) {
        const std::size_t from = sample.find("<" + section + ">"), to = sample.find("</" + section + ">");
        for (const std::string& empty : {std::string(), "<" + section + "/>"})
            for (const std::string kind : {"envelopes", "masses", "weight", "report"}) {
                const bool drawn = drawing.count(section) && drawing.at(section).find(kind) != std::string::npos;
                edits.push_back({sample.substr(from, to + section.size() + 3 - from), empty, kind, drawn ? "no data" : ""});
            }
    }
    edits.push_back({R"(XPosition="43")", R"(XPosition="NaN")", "envelopes", "Left out: 6 values"});
    edits.push_back({R"(Mass="420")", R"(Mass="INF")", "weight", "Left out: 1 box mass ("});
    edits.push_back({R"(<Min x="20" y="-3" z="1.8"/>)", R"(<Min x="-INF" y="-3" z="1.8"/>)", "masses", "Left out: 1 box ("});
    edits.push_back({R"(<Max x="30" y="3" z="10.5"/>)", R"(<Max x="20.5" y="3" z="10.5"/>)", "weight",
                     "Total 4605 of 6 box masses"});  // a short box is spread like any other
    for (const std::string kind : {"MassBoxes", "MassTanks", "MassContainer"}) {  // the other kinds are drawn
        const std::size_t from = sample.find("<" + kind + ">"), to = sample.find("</" + kind + ">") + kind.size() + 3;
        edits.push_back({sample.substr(from, to - from), "", "masses", kind == "MassBoxes" ? "class=\"tank\"" : "class=\"box\""});
    }
    edits.push_back({R"(Title="Main engine and gearbox")", "Title=\"&lt;/title>&amp;&quot;\xF0\x9F\x9A\xA2\"", "masses",
                     "Box mass 2 &quot;&lt;/title&gt;&amp;&quot;\xF0\x9F\x9A\xA2&quot;"});  // a ship: 4 bytes of UTF-8
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.kind + " with " + edit.to + " for " + edit.from.substr(0, 40));
        const std::string file = File("ship\x01\x80\xff.xml", testsupport::Replaced(sample, edit.from, edit.to)).string();
        if (edit.kind == "report") {
            const toolrun::Outcome outcome = RunTool({"report", file});
            EXPECT_EQ(outcome.status, 0) << outcome.err;
            EXPECT_EQ(Elements(outcome.out, "rect", "plot-area").size(), 8u);  // six panels, two pictures
            continue;
        }
        const std::string svg = Plot(file, edit.kind);
        EXPECT_NE(svg.find(edit.says), std::string::npos);
        EXPECT_EQ(svg.find("no data") != std::string::npos, edit.says == "no data");
        for (const auto& band : Elements(svg, "polygon", "band"))  // aft on the left, with or without a frame table
            EXPECT_LT(PointsOf(band).at(0).first, PointsOf(band).at(1).first);
    }
    // The last edit's numbers: a title with quotes, quoted as CSV.
    EXPECT_NE(toolrun::Read(m_dir / "out.csv").find("\"Box mass 2 \"\"</title>&\"\"\xF0\x9F\x9A\xA2\"\", mass 420\""), std::string::npos);
}

TEST_F(Pictures, NoNumberThatIsNotFiniteReachesTheMarkup) {
    static const std::regex number(R"(="[^"]*(nan|inf)[^"]*")", std::regex::icase);
    for (std::uint64_t seed = 1; seed <= 12; ++seed) {
        File("random.xml", randomtree::RandomVantrel(seed)->ToXml());
        const toolrun::Outcome outcome = RunTool({"report", "random.xml"});
        ASSERT_EQ(outcome.status, 0) << seed << outcome.err;
        std::smatch found;
        EXPECT_FALSE(std::regex_search(outcome.out, found, number)) << seed << ": " << found.str();
        for (const char* kind : {"envelopes", "masses", "weight"}) Plot("random.xml", kind);
    }
}

#endif  // VANTREL_TOOL_EXE

}  // namespace
