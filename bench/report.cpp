// Prints the table of benchmark figures and their ratios to the expat floor:
// vantrel_bench_report THROUGHPUT_JSON MEMORY_FILE
// MEMORY_FILE holds one line per document: "bytes peak_rss_bytes read_seconds destroy_seconds".

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace {

struct Memory {
    double bytes = 0, peak = 0, read = 0, destroy = 0;
};

const char* Verdict(bool met) { return met ? "met" : "NOT MET"; }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: vantrel_bench_report THROUGHPUT_JSON MEMORY_FILE\n");
        return 2;
    }
    std::ifstream jsonFile(argv[1]);
    const nlohmann::json results = nlohmann::json::parse(jsonFile);
    // rate[case][size label] in bytes per second of time passed; cpuRate the
    // same per second of the process's CPU time; seconds[case][size] per iteration.
    std::map<std::string, std::map<std::string, double>> rate, cpuRate, seconds;
    std::vector<std::string> sizes;
    for (const auto& run : results.at("benchmarks")) {
        // With repetitions, the median of each case stands for it.
        if (run.value("run_type", "") == "aggregate" && run.value("aggregate_name", "") != "median") continue;
        const std::string name = run.value("run_name", run.at("name").get<std::string>());
        const auto slash = name.find('/');
        // "Case/20MiB/process_time/real_time": the case and the size.
        const std::string what = name.substr(0, slash);
        const std::string size = name.substr(slash + 1, name.find('/', slash + 1) - slash - 1);
        rate[what][size] = run.value("bytes_per_second", 0.0);
        const double cpu = run.value("cpu_time", 0.0);
        cpuRate[what][size] = cpu > 0 ? rate[what][size] * run.value("real_time", 0.0) / cpu : 0.0;
        seconds[what][size] = run.value("real_time", 0.0) / 1000.0;  // reported in ms
        if (what == "ExpatFloor") sizes.push_back(size);
    }
    // Smallest first, as the memory file lists them (repetitions may come in any order).
    std::sort(sizes.begin(), sizes.end(),
              [](const std::string& a, const std::string& b) { return std::stod(a) < std::stod(b); });
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    std::vector<Memory> memory;
    std::ifstream memoryFile(argv[2]);
    for (Memory m; memoryFile >> m.bytes >> m.peak >> m.read >> m.destroy;) memory.push_back(m);

    const double MiB = 1024.0 * 1024.0;
    std::printf("%-7s %10s %10s %6s %10s %10s %6s %10s %10s %9s %9s\n", "size", "floor", "read", "r/fl", "readfile",
                "write", "w/fl", "writefile", "destroy", "dstr/rd", "peak B/B");
    std::printf("%-7s %10s %10s %6s %10s %10s %6s %10s %10s %9s %9s\n", "", "MiB/s", "MiB/s", "", "MiB/s", "MiB/s",
                "", "MiB/s", "ms", "", "");
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const std::string& s = sizes[i];
        const double floor = rate["ExpatFloor"][s];
        const Memory m = i < memory.size() ? memory[i] : Memory{};
        std::printf("%-7s %10.1f %10.1f %6.2f %10.1f %10.1f %6.2f %10.1f %10.1f %9.3f %9.2f\n", s.c_str(),
                    floor / MiB, rate["Read"][s] / MiB, rate["Read"][s] / floor, rate["ReadFile"][s] / MiB,
                    rate["Write"][s] / MiB, rate["Write"][s] / floor, rate["WriteFile"][s] / MiB,
                    seconds["Destroy"][s] * 1000.0, seconds["Destroy"][s] / seconds["Read"][s],
                    m.bytes > 0 ? m.peak / m.bytes : 0.0);
    }

    // Reading with the parser on a thread of its own (an option): the time
    // that passes, and the CPU time of both threads, against the floor.
    std::printf("\n%-7s %10s %6s %10s\n", "size", "2 threads", "r/fl", "cpu r/fl");
    for (const std::string& s : sizes) {
        const double floor = rate["ExpatFloor"][s];
        std::printf("%-7s %10.1f %6.2f %10.2f\n", s.c_str(), rate["ReadTwoThreads"][s] / MiB,
                    rate["ReadTwoThreads"][s] / floor, cpuRate["ReadTwoThreads"][s] / floor);
    }

    // The JSON form of the same documents (indented, as the XML is), against
    // nlohmann-json's parse of the text into its own document; "sax" is its
    // SAX parser alone, every event ignored: what reading the JSON text costs.
    std::printf("\n%-7s %10s %10s %10s %6s %10s %6s\n", "JSON", "floor", "sax", "read", "r/fl", "write", "w/fl");
    std::printf("%-7s %10s %10s %10s %6s %10s %6s\n", "", "MiB/s", "MiB/s", "MiB/s", "", "MiB/s", "");
    for (const std::string& s : sizes) {
        const double floor = rate["JsonFloor"][s];
        std::printf("%-7s %10.1f %10.1f %10.1f %6.2f %10.1f %6.2f\n", s.c_str(), floor / MiB, rate["JsonSax"][s] / MiB,
                    rate["JsonRead"][s] / MiB, rate["JsonRead"][s] / floor, rate["JsonWrite"][s] / MiB,
                    rate["JsonWrite"][s] / floor);
    }

    // The targets, on the large documents, and linearity against the smallest.
    std::printf("\nTargets:\n");
    bool all = true;
    auto check = [&all](const std::string& what, bool met) {
        all = all && met;
        std::printf("  %-58s %s\n", what.c_str(), Verdict(met));
    };
    for (std::size_t i = 1; i < sizes.size(); ++i) {
        const std::string& s = sizes[i];
        const double floor = rate["ExpatFloor"][s];
        check("read >= 0.65 x floor (" + s + ")", rate["Read"][s] >= 0.65 * floor);
        check("write >= 2 x floor (" + s + ")", rate["Write"][s] >= 2.0 * floor);
        if (i < memory.size())
            check("peak memory <= 4 bytes per input byte (" + s + ")", memory[i].peak <= 4.0 * memory[i].bytes);
        check("destroy < 0.1 x read (" + s + ")", seconds["Destroy"][s] < 0.1 * seconds["Read"][s]);
    }
    if (sizes.size() >= 2) {
        const std::string& small = sizes.front();
        const std::string& large = sizes.back();
        check("read time per MiB at " + large + " <= 1.2 x at " + small, rate["Read"][large] * 1.2 >= rate["Read"][small]);
        check("write time per MiB at " + large + " <= 1.2 x at " + small,
              rate["Write"][large] * 1.2 >= rate["Write"][small]);
    }
    return all ? 0 : 1;
}
