#pragma once
// `vantrel plot`: pictures of a document as SVG, each with the numbers behind
// it as CSV. The x axis runs along the ship, aft on the left, with PP1 and PP2
// marked and frame numbers along the top where the frame table can place them.

#include <ostream>
#include <string>

#include <VantrelLib/VantrelLib.h>

namespace VantrelTool {

// "envelopes": the band between MinForces and MaxForces over XPosition, one
// panel per load component. "masses": a side view (x, z) of the boxes of box
// and tank masses, the box masses' centres of gravity and the container
// blocks at their CoGx. "weight": the box masses spread along x (WeightCurve).
enum class PlotKind { Envelopes, Masses, Weight };

struct Picture {
    std::string svg;  // one <svg> element, without an XML declaration
    std::string csv;  // the numbers plotted, a header line first
};

// The picture of `kind` for `document`, titled with `name`. A document
// without the data draws "no data"; values that are not finite are left
// out, and the picture says how many.
Picture Draw(const VantrelLib::CVantrel& document, PlotKind kind, const std::string& name);

struct PlotOptions {
    std::string file;
    PlotKind kind = PlotKind::Envelopes;
    std::string output = "-";
    std::string data;  // the CSV file; empty for none
};

// Reads the file and writes its picture (and, with `data`, the numbers).
int RunPlot(const PlotOptions& options, std::ostream& out, std::ostream& err);

struct ReportOptions {
    std::string file;
    std::string output = "-";
};

// Reads the file and writes one HTML page: the summary of `stats`, the
// loading conditions of `masses`, the findings of `lint` and the three pictures.
int RunReport(const ReportOptions& options, std::ostream& out, std::ostream& err);

}  // namespace VantrelTool
