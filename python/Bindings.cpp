// The module's entry point: the one pybind11 type every object is held by,
// the element and collection protocols, reading and writing, the exceptions,
// and the layers (JSON, diff, checks, mass index).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <VantrelLib/VantrelLib.h>
#include <VantrelLib/analysis/Checks.h>
#include <VantrelLib/analysis/MassIndex.h>
#include <VantrelLib/diff/Diff.h>
#include <VantrelLib/json/Json.h>

#include "Module.h"

namespace py = pybind11;

PYBIND11_DECLARE_HOLDER_TYPE(T, LtXmlLib3::CSmartPtr<T>, true);

namespace {

using Object = LtXmlLib3::CXmlObjectBase;
using ObjectPtr = LtXmlLib3::CSmartPtr<Object>;
using VantrelPython::Wrap;
namespace Reflection = VantrelLib::Reflection;

// --- Exceptions --------------------------------------------------------------

py::object ExceptionModule() { return py::module_::import("vantrel._exceptions"); }

// The Python exception for `error` and, as its `inner`, for each one it wraps.
py::object ToPython(const LtXmlLib3::CLtException& error) {
    const char* name = "LtException";
    if (dynamic_cast<const LtXmlLib3::CLtInvalidValueException*>(&error))
        name = "LtInvalidValueException";
    else if (dynamic_cast<const LtXmlLib3::CLtValidationException*>(&error))
        name = "LtValidationException";
    else if (dynamic_cast<const LtXmlLib3::CLtInvalidStateException*>(&error))
        name = "LtInvalidStateException";
    py::object inner = error.GetInnerException() ? ToPython(*error.GetInnerException()) : py::none();
    py::object exception = ExceptionModule().attr(name)(error.GetMessage(), error.GetLine(), error.GetColumn(),
                                                         inner, error.GetContext(), error.GetHint());
    if (!inner.is_none()) exception.attr("__cause__") = inner;
    return exception;
}

// The C++ chain a Python exception of the family stands for, to be formatted
// by the library's own FormatChain.
LtXmlLib3::CLtException FromPython(py::handle exception) {
    const auto message = exception.attr("message").cast<std::string>();
    py::object inner = exception.attr("inner");
    LtXmlLib3::CLtException error = inner.is_none() ? LtXmlLib3::CLtException(message)
                                                    : LtXmlLib3::CLtException(message, FromPython(inner));
    error.SetLocation(exception.attr("line").cast<int>(), exception.attr("column").cast<int>());
    error.SetContext(exception.attr("context").cast<std::string>());
    return error;
}

// --- Objects -------------------------------------------------------------------

std::string PathOf(py::handle path) { return py::module_::import("os").attr("fspath")(path).cast<std::string>(); }

template <class T>
T& As(Object& object, const char* what) {
    auto* typed = dynamic_cast<T*>(&object);
    if (typed == nullptr) throw py::type_error(std::string("expected ") + what);
    return *typed;
}

VantrelLib::Framework::CCollection& CollectionOf(Object& object) {
    return As<VantrelLib::Framework::CCollection>(object, "a collection");
}

std::string Repr(Object& object) {
    py::object type = py::type::of(Wrap(&object));
    std::string text = "<" + type.attr("__module__").cast<std::string>() + "." +
                       type.attr("__qualname__").cast<std::string>() + " " + std::string(object.GetElementName());
    if (const Reflection::ClassInfo* info = Reflection::ClassOf(object)) {
        const Reflection::Property* id = info->FindProperty("Id");
        if (id != nullptr && id->IsAttribute() && id->IsValid(object)) text += " Id=" + id->GetText(object);
    } else {
        text += " len=" + std::to_string(CollectionOf(object).GetCount());
    }
    return text + ">";
}

std::string ToXml(Object& object) {
    py::gil_scoped_release release;
    return object.ToXml();
}

void FromXml(Object& object, const std::string& text) {
    py::gil_scoped_release release;
    object.FromXml(text);
}

py::object ReadText(const std::string& text) {
    const auto document = VantrelLib::CVantrel::CreateInstance();
    FromXml(*document, text);
    return Wrap(document.get());
}

py::object ReadFile(const std::string& path) {
    const auto document = VantrelLib::CVantrel::CreateInstance();
    {
        py::gil_scoped_release release;
        document->FromXmlFile(path);
    }
    return Wrap(document.get());
}

// An object of the class `qualifiedName` read from its XML text: how objects unpickle.
py::object FromXmlOf(const std::string& qualifiedName, const std::string& text) {
    const Reflection::ClassInfo* info = Reflection::FindClass(qualifiedName);
    if (info == nullptr) throw py::value_error("no class named " + qualifiedName);
    const ObjectPtr object = info->Create();
    FromXml(*object, text);
    return Wrap(object.get());
}

std::string ToJson(const Object& object, int indent) {
    VantrelLib::Json::WriteOptions options;
    options.indent = indent;
    py::gil_scoped_release release;
    return VantrelLib::Json::ToJson(object, options);
}

py::object ToDict(const Object& object) { return py::module_::import("json").attr("loads")(ToJson(object, -1)); }

py::object FromJson(const std::string& text, const py::object& type) {
    const Reflection::ClassInfo& info =
        type.is_none() ? *Reflection::ClassOf(*VantrelLib::CVantrel::CreateInstance()) : VantrelPython::ClassOfPython(type);
    ObjectPtr object;
    {
        py::gil_scoped_release release;
        object = VantrelLib::Json::FromJson(text, info);
    }
    return Wrap(object.get());
}

// The item of a collection at a Python index (negative from the end).
py::object ItemAt(Object& self, long index) {
    auto& collection = CollectionOf(self);
    const long count = collection.GetCount();
    if (index < 0) index += count;
    if (index < 0 || index >= count) throw py::index_error("collection index out of range");
    return Wrap(collection.ItemObject(static_cast<int>(index)));
}

int IndexOf(Object& self, const Object* item) {
    auto& collection = CollectionOf(self);
    for (int index = 0; index < collection.GetCount(); ++index)
        if (collection.ItemObject(index) == item) return index;
    return -1;
}

void DefineCollection(py::handle type) {
    auto method = [&type](const char* name, auto&& function, auto... extra) {
        type.attr(name) = py::cpp_function(function, py::name(name), py::is_method(type), extra...);
    };
    method("__len__", [](Object& self) { return CollectionOf(self).GetCount(); });
    method("GetCount", [](Object& self) { return CollectionOf(self).GetCount(); });
    method("GetMinOccurs", [](Object& self) { return CollectionOf(self).GetMinOccurs(); });
    method("GetMaxOccurs", [](Object& self) { return CollectionOf(self).GetMaxOccurs(); });
    method("__getitem__", [](Object& self, const py::object& key) -> py::object {
        if (py::isinstance<py::slice>(key)) {
            const auto count = static_cast<std::size_t>(CollectionOf(self).GetCount());
            std::size_t start = 0, stop = 0, step = 0, length = 0;
            if (!py::reinterpret_borrow<py::slice>(key).compute(count, &start, &stop, &step, &length))
                throw py::error_already_set();
            py::list items;
            for (std::size_t i = 0; i < length; ++i, start += step) items.append(ItemAt(self, static_cast<long>(start)));
            return std::move(items);
        }
        return ItemAt(self, key.cast<long>());
    });
    method("Item", [](Object& self, int index) { return Wrap(CollectionOf(self).ItemObject(index)); },
           py::arg("index"), py::doc("The item at `index` (from 0); raises LtException outside the list."));
    method("__iter__", [](Object& self) {
        // The items as they are now: a list, so that a change while iterating is safe.
        auto& collection = CollectionOf(self);
        py::list items;
        for (int index = 0; index < collection.GetCount(); ++index) items.append(Wrap(collection.ItemObject(index)));
        return py::iter(items);
    });
    method("__contains__", [](Object& self, const py::object& item) {
        return py::isinstance<Object>(item) && IndexOf(self, item.cast<Object*>()) >= 0;
    });
    method(
        "Add",
        [](Object& self, Object* item) {
            auto& collection = CollectionOf(self);
            ObjectPtr added(item);
            if (item == nullptr) {
                // A new item of the collection's class, as CTypedCollection::Add() makes it.
                py::object type = py::type::of(Wrap(&self));
                if (!py::hasattr(type, "__vantrel_item_class__"))
                    throw py::type_error("this collection holds several classes: Add(item) an item made with CreateInstance()");
                added = Reflection::FindClass(type.attr("__vantrel_item_class__").cast<std::string>())->Create();
            }
            collection.AddObject(added.get());
            return Wrap(added.get());
        },
        py::arg("item") = py::none(),
        py::doc("Adds `item` at the end under the collection's element name (renaming it) and returns it;\n"
                "without an item, a new one of the collection's class."));
    method(
        "Remove",
        [](Object& self, const py::object& item) {
            auto& collection = CollectionOf(self);
            if (py::isinstance<py::int_>(item)) return collection.Remove(item.cast<int>());
            const int index = IndexOf(self, item.cast<Object*>());
            if (index < 0)
                throw LtXmlLib3::CLtException("The item to remove is not in the collection [" +
                                              std::string(self.GetElementName()) + "]");
            collection.Remove(index);
        },
        py::arg("item"), py::doc("Removes an item, given as itself or by its index."));
    method("Clear", [](Object& self) { CollectionOf(self).Clear(); }, py::doc("Removes every item."));
}

void DefineElement(py::handle type) {
    auto method = [&type](const char* name, auto&& function, auto... extra) {
        type.attr(name) = py::cpp_function(function, py::name(name), py::is_method(type), extra...);
    };
    const char* toXml = "The document as XML text, this object its outermost element.";
    method("ToXml", &ToXml, py::doc(toXml));
    method("to_xml", &ToXml, py::doc(toXml));
    const char* toXmlFile = "Writes to_xml() to the file `path`, replacing it only once all is written.";
    auto toFile = [](Object& self, const py::object& path) {
        const std::string file = PathOf(path);
        py::gil_scoped_release release;
        self.ToXmlFile(file);
    };
    method("ToXmlFile", toFile, py::arg("path"), py::doc(toXmlFile));
    method("to_xml_file", toFile, py::arg("path"), py::doc(toXmlFile));
    const char* fromXml = "Reads the XML text into this object, replacing what it held.";
    method("FromXml", &FromXml, py::arg("text"), py::doc(fromXml));
    method("from_xml", &FromXml, py::arg("text"), py::doc(fromXml));
    auto fromFile = [](Object& self, const py::object& path) {
        const std::string file = PathOf(path);
        py::gil_scoped_release release;
        self.FromXmlFile(file);
    };
    method("FromXmlFile", fromFile, py::arg("path"), py::doc("Reads the XML file into this object."));
    method("from_xml_file", fromFile, py::arg("path"), py::doc("Reads the XML file into this object."));
    method("to_json", &ToJson, py::arg("indent") = 2,
           py::doc("This object as JSON text (the library's mapping); indent -1 writes one line."));
    method("to_dict", &ToDict,
           py::doc("This object as plain Python values: the JSON mapping, parsed."));
    method("__reduce__", [](Object& self) {
        const auto* info = Reflection::ClassOf(self);
        return py::make_tuple(py::module_::import("vantrel").attr("_from_xml_of"),
                              py::make_tuple(info->QualifiedName(), ToXml(self)));
    });
}

}  // namespace

PYBIND11_MODULE(_vantrel, module) {
    module.doc() = "VantrelLib: read, edit and write ship load and mass documents.";
    py::module_ gdt = module.def_submodule("gdt", "The classes and enumerations of the gdt namespace.");
    module.attr("__vantrel_name__") = "vantrel";
    gdt.attr("__vantrel_name__") = "vantrel.gdt";

    py::register_exception_translator([](std::exception_ptr pointer) {
        try {
            if (pointer) std::rethrow_exception(pointer);
        } catch (const LtXmlLib3::CLtException& error) {
            py::object exception = ToPython(error);
            PyErr_SetObject(reinterpret_cast<PyObject*>(Py_TYPE(exception.ptr())), exception.ptr());
        }
    });
    module.def("_format_chain", [](const py::object& exception, const std::string& source) {
        return FromPython(exception).FormatChain(source);
    });

    py::class_<Object, ObjectPtr> object(module, "Object", "Base of every element and collection.");
    object.def("GetElementName", [](const Object& self) { return std::string(self.GetElementName()); },
               "The name this object's element is written under and was read from.")
        .def("GetTargetNamespace", &Object::GetTargetNamespace, "The namespace URI of the element type.")
        .def("Clone", [](const Object& self) { return Wrap(self.CloneObject().get()); },
             "A deep copy that shares no object with this one.")
        .def("__repr__", &Repr)
        .def("__eq__", [](const Object& self, const py::object& other) {
            return py::isinstance<Object>(other) && other.cast<const Object*>() == &self;
        })
        .def("__hash__", [](const Object& self) { return reinterpret_cast<std::uintptr_t>(&self); });

    py::handle meta(reinterpret_cast<PyObject*>(Py_TYPE(object.ptr())));
    auto makeBase = [&](const char* name, py::handle base, const char* doc) {
        py::dict body;
        body["__slots__"] = py::tuple();
        body["__module__"] = "vantrel";
        body["__doc__"] = doc;
        py::object type = meta(name, py::make_tuple(base), body);
        module.attr(name) = type;
        return type;
    };
    py::object element = makeBase("Element", object, "Base of every element class.");
    py::object collection = makeBase("Collection", object,
                                     "Base of every collection class: a sequence of its items.");
    py::object restEntry = makeBase("IRestEntry", element,
                                    "A rest entry of an assembled mass: CRestEntry, CTankEntry or CContainerEntry.");
    DefineElement(element);
    DefineCollection(collection);
    module.def("_make_classes", [module, gdt, element, collection, restEntry](const py::dict& docs) mutable {
        VantrelPython::AddClasses(module, gdt, element, collection, restEntry, docs);
    });

    // --- Reading and writing -------------------------------------------------
    module.def("read", [](const py::object& source) {
        if (py::isinstance<py::bytes>(source)) return ReadText(source.cast<std::string>());
        if (py::isinstance<py::str>(source)) {
            const auto text = source.cast<std::string>();
            const auto first = text.find_first_not_of(" \t\r\n\xEF\xBB\xBF");
            if (first != std::string::npos && text[first] == '<') return ReadText(text);
        }
        return ReadFile(PathOf(source));
    }, py::arg("source"), "A CVantrel read from XML text (a string starting with '<', or bytes) or from a file path.");
    module.def("read_file", [](const py::object& path) { return ReadFile(PathOf(path)); }, py::arg("path"),
               "A CVantrel read from the XML file `path`.");
    module.def("from_xml", &ReadText, py::arg("text"), "A CVantrel read from XML text.");
    module.def("to_xml", &ToXml, py::arg("object"), "The object as an XML document.");
    module.def("_from_xml_of", &FromXmlOf);
    module.def("to_json", &ToJson, py::arg("object"), py::arg("indent") = 2,
               "The object as JSON text (the library's mapping); indent -1 writes one line.");
    module.def("from_json", &FromJson, py::arg("text"), py::arg("cls") = py::none(),
               "An object of class `cls` (CVantrel by default) read from JSON text.");
    module.def("to_dict", &ToDict,
               py::arg("object"), "The object as plain Python values: the JSON mapping, parsed.");
    module.def("from_dict", [](const py::object& values, const py::object& type) {
        return FromJson(py::module_::import("json").attr("dumps")(values).cast<std::string>(), type);
    }, py::arg("values"), py::arg("cls") = py::none(), "An object of class `cls` (CVantrel by default) from to_dict's values.");

    // --- Diff ------------------------------------------------------------------
    namespace Diff = VantrelLib::Diff;
    py::enum_<Diff::Kind>(module, "DiffKind")
        .value("Changed", Diff::Kind::Changed).value("Added", Diff::Kind::Added)
        .value("Removed", Diff::Kind::Removed).value("Moved", Diff::Kind::Moved);
    py::class_<Diff::Difference>(module, "Difference", "One difference between two trees.")
        .def_readonly("path", &Diff::Difference::path)
        .def_readonly("kind", &Diff::Difference::kind)
        .def_readonly("old_text", &Diff::Difference::oldText)
        .def_readonly("new_text", &Diff::Difference::newText)
        .def("__str__", &Diff::FormatLine)
        .def("__repr__", [](const Diff::Difference& d) { return "<Difference " + Diff::FormatLine(d) + ">"; });
    module.def("diff", [](const Object& before, const Object& after, double tolerance) {
        Diff::Options options;
        options.tolerance = tolerance;
        return Diff::Compare(before, after, options);
    }, py::arg("before"), py::arg("after"), py::arg("tolerance") = 0.0,
       "The differences from `before` to `after` (objects of one class), in document order.");

    // --- Checks ------------------------------------------------------------------
    namespace Analysis = VantrelLib::Analysis;
    py::enum_<Analysis::Severity>(module, "Severity")
        .value("Warning", Analysis::Severity::Warning).value("Error", Analysis::Severity::Error);
    py::class_<Analysis::Finding>(module, "Finding", "One finding of the engineering checks.")
        .def_readonly("rule", &Analysis::Finding::rule)
        .def_readonly("severity", &Analysis::Finding::severity)
        .def_readonly("line", &Analysis::Finding::line)
        .def_readonly("path", &Analysis::Finding::path)
        .def_readonly("message", &Analysis::Finding::message)
        .def("__repr__", [](const Analysis::Finding& f) { return "<Finding " + f.rule + " " + f.path + ": " + f.message + ">"; });
    module.def("rules", [] {
        py::list rules;
        for (const auto& rule : Analysis::Rules()) rules.append(py::make_tuple(rule.id, rule.severity, rule.finds));
        return rules;
    }, "Every check rule as (id, severity, what it finds).");
    module.def("check", [](Object& document, const std::vector<std::string>& disabled) {
        Analysis::CheckOptions options;
        options.disabled = disabled;
        return Analysis::CheckDocument(As<VantrelLib::CVantrel>(document, "a CVantrel"), options);
    }, py::arg("document"), py::arg("disabled") = std::vector<std::string>(),
       "Every finding of the engineering checks in `document` (lines unknown: see check_file).");
    module.def("check_file", [](const py::object& path, const std::vector<std::string>& disabled) {
        const std::string file = PathOf(path);
        LtXmlLib3::CSourceLines lines;
        LtXmlLib3::CReadOptions read;
        read.sourceLines = &lines;
        const auto document = VantrelLib::CVantrel::CreateInstance();
        py::gil_scoped_release release;
        document->FromXmlFile(file, read);
        Analysis::CheckOptions options;
        options.sourceLines = &lines;
        options.disabled = disabled;
        return Analysis::CheckDocument(*document, options);
    }, py::arg("path"), py::arg("disabled") = std::vector<std::string>(),
       "Reads the file and returns every finding of the checks, with its line.");
    VantrelPython::DefineMassIndex(module);
}
