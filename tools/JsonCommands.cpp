#include "JsonCommands.h"

#include <cstdio>
#include <cctype>
#include <fstream>
#include <iostream>
#include <iterator>
#include <new>
#include <sstream>

#include <VantrelLib/VantrelLib.h>

#include "Commands.h"
#include "DocumentIo.h"

namespace VantrelTool {

namespace {

enum class Form { Xml, Json, Unknown };

Form FormOfExtension(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return Form::Unknown;
    std::string extension = path.substr(dot + 1);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == "json") return Form::Json;
    if (extension == "xml") return Form::Xml;
    return Form::Unknown;
}

// The whole of `path` ("-": standard input); throws std::runtime_error naming it.
std::string ReadAll(const std::string& path) {
    std::ostringstream text;
    if (path == "-") {
        text << std::cin.rdbuf();
        if (std::cin.bad()) throw std::runtime_error("<stdin>: cannot be read");
        return text.str();
    }
    std::ifstream file(path, std::ios::binary);
    if (!file || !(text << file.rdbuf()) || file.bad()) {
        std::ifstream probe(path, std::ios::binary);  // an empty file reads as nothing, not as a failure
        if (!probe || probe.peek() != std::char_traits<char>::eof())
            throw std::runtime_error(path + ": cannot be read");
    }
    return text.str();
}

}  // namespace

ReadResult ReadEitherForm(const std::string& path, LtXmlLib3::CDroppedContent* dropped, bool& json) {
    const Form form = FormOfExtension(path);
    json = form == Form::Json;
    if (form == Form::Xml) return ReadDocument(path, dropped);  // a pipe is parsed as it arrives
    const std::string name = DisplayName(path);
    ReadResult result;
    try {
        const std::string text = ReadAll(path);
        if (form == Form::Unknown) {
            const std::size_t first = text.find_first_not_of(" \t\r\n");
            json = first != std::string::npos && text[first] == '{';
        }
        if (json) {
            result.document = VantrelLib::Json::FromJson<VantrelLib::CVantrel>(text);
        } else {
            LtXmlLib3::CReadOptions readOptions;
            readOptions.dropped = dropped;
            result.document = VantrelLib::CVantrel::CreateInstance();
            result.document->FromXml(text, readOptions);
            if (result.document->GetElementName() != "Vantrel")
                throw LtXmlLib3::CLtValidationException("The document element is [" +
                                                        std::string(result.document->GetElementName()) +
                                                        "], not [Vantrel]");
        }
    } catch (const LtXmlLib3::CLtException& error) {
        result.document = nullptr;
        result.errors = error.FormatChain(name);
        if (!error.FindHint().empty()) result.errors += "hint: " + error.FindHint() + '\n';
    } catch (const std::bad_alloc&) {
        result.document = nullptr;
        result.errors = name + ": out of memory\n";
    } catch (const std::runtime_error& error) {
        result.errors = std::string(error.what()) + '\n';
    }
    return result;
}

int RunConvert(const ConvertOptions& options, std::ostream& out, std::ostream& err) {
    const std::string name = DisplayName(options.input);
    try {
        LtXmlLib3::CDroppedContent dropped;
        bool fromJson = false;
        const ReadResult read = ReadEitherForm(options.input, &dropped, fromJson);
        if (!read.document) {
            err << read.errors;
            return kExitFailure;
        }
        if (const std::string lost = DescribeDropped(dropped); !lost.empty())
            err << "vantrel convert: " << name << ": " << lost << " dropped\n";

        Form to = options.to == "json" ? Form::Json : options.to == "xml" ? Form::Xml : FormOfExtension(options.output);
        if (to == Form::Unknown) to = fromJson ? Form::Xml : Form::Json;
        if (to == Form::Xml) return WriteOrReport(*read.document, options.output, "convert", out, err);
        VantrelLib::Json::WriteOptions writeOptions;
        if (options.compact) writeOptions.indent = -1;
        if (options.output != "-") {
            VantrelLib::Json::ToJsonFile(*read.document, options.output, writeOptions);
            return kExitOk;
        }
        out << VantrelLib::Json::ToJson(*read.document, writeOptions) << '\n';
        if (!out.flush()) {
            err << "vantrel: Failed to write to standard output\n";
            return kExitFailure;
        }
        return kExitOk;
    } catch (const LtXmlLib3::CLtException& error) {
        err << "vantrel convert: " << error.FormatChain();
    } catch (const std::bad_alloc&) {
        err << "vantrel convert: " << name << ": out of memory\n";
    }
    return kExitFailure;
}

int RunJsonSchema(const JsonSchemaOptions& options, std::ostream& out, std::ostream& err) {
    try {
        const auto document = VantrelLib::CVantrel::CreateInstance();
        const std::string schema = VantrelLib::Json::SchemaOf(*VantrelLib::Reflection::ClassOf(*document));
        return WriteText(schema, options.output, "json-schema", out, err) ? kExitOk : kExitFailure;
    } catch (const std::exception& error) {
        err << "vantrel json-schema: " << error.what() << '\n';
        return kExitFailure;
    }
}

}  // namespace VantrelTool
