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

// Writes `text` to `path` ("-": `out`); a file is replaced only once all of it is written.
void WriteText(const std::string& text, const std::string& path, std::ostream& out) {
    if (path == "-") {
        out << text;
        out.flush();
        if (!out) throw std::runtime_error("Failed to write to standard output");
        return;
    }
    const std::string partial = path + ".part";
    {
        std::ofstream file(partial, std::ios::binary | std::ios::trunc);
        file << text;
        file.close();
        if (!file) {
            std::remove(partial.c_str());
            throw std::runtime_error(path + ": cannot be written");
        }
    }
    if (std::rename(partial.c_str(), path.c_str()) != 0) {
        std::remove(partial.c_str());
        throw std::runtime_error(path + ": cannot be replaced");
    }
}

}  // namespace

int RunConvert(const ConvertOptions& options, std::ostream& out, std::ostream& err) {
    const std::string name = DisplayName(options.input);
    try {
        // The input's form: its extension, else its first character other than whitespace.
        Form from = FormOfExtension(options.input);
        LtXmlLib3::CSmartPtr<VantrelLib::CVantrel> document;
        LtXmlLib3::CDroppedContent dropped;
        if (from == Form::Xml) {
            ReadResult read = ReadDocument(options.input, &dropped);  // a pipe is parsed as it arrives
            if (!read.document) {
                err << read.errors;
                return kExitFailure;
            }
            document = read.document;
        } else {
            const std::string text = ReadAll(options.input);
            if (from == Form::Unknown) {
                const std::size_t first = text.find_first_not_of(" \t\r\n");
                from = first != std::string::npos && text[first] == '{' ? Form::Json : Form::Xml;
            }
            try {
                if (from == Form::Json) {
                    document = VantrelLib::Json::FromJson<VantrelLib::CVantrel>(text);
                } else {
                    LtXmlLib3::CReadOptions readOptions;
                    readOptions.dropped = &dropped;
                    document = VantrelLib::CVantrel::CreateInstance();
                    document->FromXml(text, readOptions);
                    if (document->GetElementName() != "Vantrel")
                        throw LtXmlLib3::CLtValidationException("The document element is [" +
                                                                std::string(document->GetElementName()) +
                                                                "], not [Vantrel]");
                }
            } catch (const LtXmlLib3::CLtException& error) {
                err << error.FormatChain(name);
                if (!error.FindHint().empty()) err << "hint: " << error.FindHint() << '\n';
                return kExitFailure;
            }
        }
        if (const std::string lost = DescribeDropped(dropped); !lost.empty())
            err << "vantrel convert: " << name << ": " << lost << " dropped\n";

        Form to = options.to == "json" ? Form::Json : options.to == "xml" ? Form::Xml : FormOfExtension(options.output);
        if (to == Form::Unknown) to = from == Form::Json ? Form::Xml : Form::Json;
        if (to == Form::Xml) return WriteOrReport(*document, options.output, "convert", out, err);
        VantrelLib::Json::WriteOptions writeOptions;
        if (options.compact) writeOptions.indent = -1;
        WriteText(VantrelLib::Json::ToJson(*document, writeOptions) + "\n", options.output, out);
        return kExitOk;
    } catch (const LtXmlLib3::CLtException& error) {
        err << "vantrel convert: " << error.FormatChain();
    } catch (const std::bad_alloc&) {
        err << "vantrel convert: " << name << ": out of memory\n";
    } catch (const std::exception& error) {
        err << "vantrel convert: " << error.what() << '\n';
    }
    return kExitFailure;
}

int RunJsonSchema(const JsonSchemaOptions& options, std::ostream& out, std::ostream& err) {
    try {
        const auto document = VantrelLib::CVantrel::CreateInstance();
        WriteText(VantrelLib::Json::SchemaOf(*VantrelLib::Reflection::ClassOf(*document)), options.output, out);
        return kExitOk;
    } catch (const std::exception& error) {
        err << "vantrel json-schema: " << error.what() << '\n';
        return kExitFailure;
    }
}

}  // namespace VantrelTool
