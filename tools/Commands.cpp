#include "Commands.h"

#include <new>

#include <SampleShip.h>

#include "DocumentIo.h"
#include "Summary.h"

namespace VantrelTool {

int WriteOrReport(VantrelLib::CVantrel& document, const std::string& path, const char* command, std::ostream& out,
                  std::ostream& err) {
    try {
        WriteDocument(document, path, out);
        return kExitOk;
    } catch (const LtXmlLib3::CLtException& error) {
        // The messages of a failed write name the file themselves.
        err << "vantrel " << command << ": " << error.FormatChain();
    } catch (const std::bad_alloc&) {
        err << "vantrel " << command << ": " << (path == "-" ? std::string("<stdout>") : path)
            << ": out of memory while writing the document\n";
    } catch (const std::exception& error) {
        err << "vantrel " << command << ": " << error.what() << '\n';
    }
    return kExitFailure;
}

namespace {

// Flushes `out`; a failure (a full disk, a closed pipe) is reported on `err`.
int Flushed(std::ostream& out, std::ostream& err, int status) {
    if (out.flush()) return status;
    err << "vantrel: Failed to write to standard output\n";
    return kExitFailure;
}

// Runs `print` for the document read from `file`; running out of memory is reported naming the file.
template <class Print>
int PrintOrReport(const std::string& file, std::ostream& err, Print&& print) {
    try {
        print();
        return kExitOk;
    } catch (const std::bad_alloc&) {
        err << "vantrel: " << DisplayName(file) << ": out of memory\n";
        return kExitFailure;
    }
}

}  // namespace

int RunCheck(const CheckOptions& options, std::ostream& out, std::ostream& err) {
    int status = kExitOk;
    for (const std::string& file : options.files) {
        const ReadResult read = ReadDocument(file);
        if (!read.document) {
            err << read.errors;
            status = kExitFailure;
            continue;
        }
        status |= PrintOrReport(file, err, [&] {
            out << DisplayName(file) << ": ok: " << FormatLine(Summarize(*read.document)) << '\n';
        });
    }
    return Flushed(out, err, status);
}

int RunFormat(const FormatOptions& options, std::ostream& out, std::ostream& err) {
    if (options.inPlace && options.file == "-") {
        err << "vantrel format: --in-place needs a file, not standard input\n";
        return kExitUsage;
    }
    if (options.inPlace) {
        const std::string refusal = InPlaceRefusal(options.file, options.force);
        if (!refusal.empty()) {
            err << "vantrel format: " << refusal << '\n';
            return kExitFailure;
        }
    }
    LtXmlLib3::CDroppedContent dropped;
    const ReadResult read = ReadDocument(options.file, &dropped);
    if (!read.document) {
        err << read.errors;
        return kExitFailure;
    }
    const std::string lost = DescribeDropped(dropped);
    const std::string name = DisplayName(options.file);
    if (!lost.empty() && options.inPlace && !options.allowDrop) {
        err << "vantrel format: " << name << ": " << lost
            << " would be dropped, so --in-place leaves the file as it is (--allow-drop replaces it without them)\n";
        return kExitFailure;
    }
    const int status = WriteOrReport(*read.document, options.inPlace ? options.file : options.output, "format", out, err);
    if (status == kExitOk && !lost.empty()) err << "vantrel format: " << name << ": " << lost << " dropped\n";
    return status;
}

int RunStats(const StatsOptions& options, std::ostream& out, std::ostream& err) {
    const ReadResult read = ReadDocument(options.file);
    if (!read.document) {
        err << read.errors;
        return kExitFailure;
    }
    const int status = PrintOrReport(options.file, err, [&] {
        const DocumentSummary summary = Summarize(*read.document);
        if (options.json) {
            nlohmann::ordered_json json{{"file", DisplayName(options.file)}};
            json.update(ToJson(summary));
            out << json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
        } else {
            out << DisplayName(options.file) << ": " << FormatTable(summary);
        }
    });
    return Flushed(out, err, status);
}

int RunSample(const SampleOptions& options, std::ostream& out, std::ostream& err) {
    auto document = VantrelSample::BuildSampleShip();
    return WriteOrReport(*document, options.output, "sample", out, err);
}

}  // namespace VantrelTool
