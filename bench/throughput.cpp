// Throughput of reading and writing whole documents, beside the floor: expat
// parsing the same bytes with empty handlers; and of their JSON form, beside
// nlohmann-json parsing the same JSON text into its own document. The documents are the files named
// in VANTREL_BENCH_FILES (comma separated), made by vantrel_generate.

#include <benchmark/benchmark.h>
#include <expat.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <VantrelLib/VantrelLib.h>
#include <nlohmann/json.hpp>

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Label(const std::string& text) { return std::to_string((text.size() + (1 << 19)) >> 20) + "MiB"; }

void XMLCALL OnStart(void*, const XML_Char*, const XML_Char**) {}
void XMLCALL OnEnd(void*, const XML_Char*) {}

void ExpatFloor(benchmark::State& state, const std::string* text) {
    for (auto _ : state) {
        XML_Parser parser = XML_ParserCreateNS(nullptr, ' ');
        XML_SetElementHandler(parser, OnStart, OnEnd);
        if (XML_Parse(parser, text->data(), static_cast<int>(text->size()), XML_TRUE) != XML_STATUS_OK)
            state.SkipWithError("expat refused the document");
        XML_ParserFree(parser);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text->size()));
}

// Times `read(root)` into a fresh root, `bytes` a read; destruction is measured on its own.
template <class ReadInto>
void Reads(benchmark::State& state, std::size_t bytes, ReadInto read) {
    for (auto _ : state) {
        auto root = VantrelLib::CVantrel::CreateInstance();
        read(*root);
        state.PauseTiming();
        root = nullptr;
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

void Read(benchmark::State& state, const std::string* text) {
    Reads(state, text->size(), [text](VantrelLib::CVantrel& root) { root.FromXml(*text); });
}

// Reading with the parser on a thread of its own: the time that passes, and
// (as CPU time) what the two threads cost together.
void ReadTwoThreads(benchmark::State& state, const std::string* text) {
    LtXmlLib3::CReadOptions options;
    options.parseOnThreadFromBytes = 0;
    Reads(state, text->size(), [text, &options](VantrelLib::CVantrel& root) { root.FromXml(*text, options); });
}

void ReadFile(benchmark::State& state, const std::string* path, std::size_t size) {
    Reads(state, size, [path](VantrelLib::CVantrel& root) { root.FromXmlFile(*path); });
}

void Write(benchmark::State& state, const std::string* text) {
    auto root = VantrelLib::CVantrel::CreateInstance();
    root->FromXml(*text);
    for (auto _ : state) benchmark::DoNotOptimize(root->ToXml());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text->size()));
}

void WriteFile(benchmark::State& state, const std::string* text) {
    auto root = VantrelLib::CVantrel::CreateInstance();
    root->FromXml(*text);
    const std::string path = "/tmp/vantrel-bench-write.xml";
    for (auto _ : state) root->ToXmlFile(path);
    std::remove(path.c_str());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text->size()));
}

void Destroy(benchmark::State& state, const std::string* text) {
    for (auto _ : state) {
        state.PauseTiming();
        auto root = VantrelLib::CVantrel::CreateInstance();
        root->FromXml(*text);
        state.ResumeTiming();
        root = nullptr;
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text->size()));
}

// --- JSON -----------------------------------------------------------------------

// The floor: nlohmann-json's own parse of the text into its document.
void JsonFloor(benchmark::State& state, const std::string* json) {
    for (auto _ : state) benchmark::DoNotOptimize(nlohmann::json::parse(*json));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * json->size()));
}

// nlohmann-json's SAX parser alone, every event ignored: what the reader pays for the JSON text.
struct IgnoreEvents : nlohmann::json::json_sax_t {
    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(number_integer_t) override { return true; }
    bool number_unsigned(number_unsigned_t) override { return true; }
    bool number_float(number_float_t, const string_t&) override { return true; }
    bool string(string_t&) override { return true; }
    bool binary(binary_t&) override { return true; }
    bool start_object(std::size_t) override { return true; }
    bool key(string_t&) override { return true; }
    bool end_object() override { return true; }
    bool start_array(std::size_t) override { return true; }
    bool end_array() override { return true; }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override { return false; }
};

void JsonSax(benchmark::State& state, const std::string* json) {
    for (auto _ : state) {
        IgnoreEvents events;
        benchmark::DoNotOptimize(nlohmann::json::sax_parse(*json, &events));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * json->size()));
}

void JsonRead(benchmark::State& state, const std::string* json) {
    for (auto _ : state) {
        auto root = VantrelLib::Json::FromJson<VantrelLib::CVantrel>(*json);
        state.PauseTiming();
        root = nullptr;
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * json->size()));
}

void JsonWrite(benchmark::State& state, const std::string* json) {
    const auto root = VantrelLib::Json::FromJson<VantrelLib::CVantrel>(*json);
    for (auto _ : state) benchmark::DoNotOptimize(VantrelLib::Json::ToJson(*root));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * json->size()));
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> paths;
    if (const char* files = std::getenv("VANTREL_BENCH_FILES")) {
        std::stringstream list(files);
        for (std::string path; std::getline(list, path, ',');)
            if (!path.empty()) paths.push_back(path);
    }
    if (paths.empty()) {
        std::fprintf(stderr, "Set VANTREL_BENCH_FILES to the documents to measure (bench/run does).\n");
        return 2;
    }
    // Texts live for the whole run; the benchmarks refer to them.
    static std::vector<std::string> texts, jsons;
    texts.reserve(paths.size());
    for (const std::string& path : paths) {
        texts.push_back(ReadAll(path));
        auto root = VantrelLib::CVantrel::CreateInstance();
        root->FromXml(texts.back());
        jsons.push_back(VantrelLib::Json::ToJson(*root));  // indented, as the XML is
    }
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::string* text = &texts[i];
        const std::string* path = &paths[i];
        const std::string label = Label(*text);
        // Rates are taken from the time that passes; the CPU time reported is
        // the whole process's, the parser's thread included.
        auto add = [](benchmark::internal::Benchmark* benchmark) {
            benchmark->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
        };
        add(benchmark::RegisterBenchmark(("ExpatFloor/" + label).c_str(), ExpatFloor, text));
        add(benchmark::RegisterBenchmark(("Read/" + label).c_str(), Read, text));
        add(benchmark::RegisterBenchmark(("ReadTwoThreads/" + label).c_str(), ReadTwoThreads, text));
        add(benchmark::RegisterBenchmark(("ReadFile/" + label).c_str(), ReadFile, path, text->size()));
        add(benchmark::RegisterBenchmark(("Write/" + label).c_str(), Write, text));
        add(benchmark::RegisterBenchmark(("WriteFile/" + label).c_str(), WriteFile, text));
        add(benchmark::RegisterBenchmark(("Destroy/" + label).c_str(), Destroy, text));
        const std::string* json = &jsons[i];
        add(benchmark::RegisterBenchmark(("JsonFloor/" + label).c_str(), JsonFloor, json));
        add(benchmark::RegisterBenchmark(("JsonSax/" + label).c_str(), JsonSax, json));
        add(benchmark::RegisterBenchmark(("JsonRead/" + label).c_str(), JsonRead, json));
        add(benchmark::RegisterBenchmark(("JsonWrite/" + label).c_str(), JsonWrite, json));
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
