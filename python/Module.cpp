// The Python module `vantrel`: every element and collection class of the
// library as a Python class, made at import from the reflection rather than
// bound one by one. All objects are one pybind11 type over CXmlObjectBase,
// held by CSmartPtr; each wrapper is then given the Python class of its
// object's C++ class (ClassInfo for elements, the dynamic type for
// collections), whose methods are the C++ accessor names, each calling one
// reflection Property.

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <typeindex>
#include <unordered_map>
#include <vector>

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <VantrelLib/VantrelLib.h>

#include "Module.h"

namespace py = pybind11;

PYBIND11_DECLARE_HOLDER_TYPE(T, LtXmlLib3::CSmartPtr<T>, true);

namespace VantrelPython {
namespace {

using Property = VantrelLib::Reflection::Property;
using ClassInfo = VantrelLib::Reflection::ClassInfo;

// The Python classes made at import. Owned references, kept until the
// process ends: the module cannot be unloaded, and releasing them in a static
// destructor would run after the interpreter is gone.
struct PythonClasses {
    PyObject* collectionBase = nullptr;
    std::unordered_map<const ClassInfo*, PyObject*> elements;
    std::unordered_map<std::type_index, PyObject*> collections;
    // An enumeration's qualified C++ name, to its IntEnum class.
    std::unordered_map<std::string, PyObject*> enumerations;
    py::module_ root, gdt;
};

PythonClasses& Classes() {
    static auto* classes = new PythonClasses();
    return *classes;
}

std::string Demangled(const std::type_info& type) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status),
                                                 std::free);
    return status == 0 ? std::string(name.get()) : std::string(type.name());
}

py::object MakeClass(const std::string& name, py::handle base, py::module_& module, const std::string& doc) {
    py::dict body;
    body["__slots__"] = py::tuple();  // no __dict__: all an object holds is its C++ object
    body["__module__"] = module.attr("__vantrel_name__");
    body["__qualname__"] = name;
    body["__doc__"] = doc;
    py::handle meta(reinterpret_cast<PyObject*>(Py_TYPE(base.ptr())));
    py::object type = meta(name, py::make_tuple(base), body);
    module.attr(name.c_str()) = type;
    return type;
}

// The Python class of a collection object, made on first sight.
PyObject* CollectionClass(const LtXmlLib3::CXmlObjectBase& collection) {
    PythonClasses& classes = Classes();
    const std::type_index key(typeid(collection));
    auto found = classes.collections.find(key);
    if (found != classes.collections.end()) return found->second;
    std::string qualified = Demangled(typeid(collection));
    const bool gdt = qualified.rfind("gdt::", 0) == 0;
    const std::string name = qualified.substr(qualified.rfind(':') + 1);
    py::object type = MakeClass(name, classes.collectionBase, gdt ? classes.gdt : classes.root,
                                "A list of \"" + std::string(collection.GetElementName()) + "\" items.");
    return classes.collections.emplace(key, type.release().ptr()).first->second;
}

}  // namespace

py::object Wrap(LtXmlLib3::CXmlObjectBase* object) {
    if (object == nullptr) return py::none();
    // As pybind11 casts a held pointer, but making the instance of the Python
    // class of the object's own class (pybind11 knows only their common base).
    // This uses pybind11's own instance helpers (detail namespace, written
    // against 2.10): public casting would make a base-class instance, and Python
    // refuses to change a pybind11 instance's __class__ (its deallocator
    // differs from a Python subclass's).
    static const py::detail::type_info* const base = py::detail::get_type_info(typeid(LtXmlLib3::CXmlObjectBase));
    if (py::handle existing = py::detail::find_registered_python_instance(object, base))
        return py::reinterpret_steal<py::object>(existing);
    PyObject* type = nullptr;
    if (const ClassInfo* info = VantrelLib::Reflection::ClassOf(*object)) {
        type = Classes().elements.at(info);
    } else {
        type = CollectionClass(*object);
    }
    auto wrapper = py::reinterpret_steal<py::object>(py::detail::make_new_instance(reinterpret_cast<PyTypeObject*>(type)));
    auto* instance = reinterpret_cast<py::detail::instance*>(wrapper.ptr());
    instance->owned = true;
    py::detail::values_and_holders(instance).begin()->value_ptr() = object;
    const LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> holder(object);
    base->init_instance(instance, &holder);
    return wrapper;
}

const ClassInfo& ClassOfPython(py::handle type) {
    const auto name = type.attr("__vantrel_class__").cast<std::string>();
    return *VantrelLib::Reflection::FindClass(name);
}

namespace {

std::string Capitalised(const char* name) {
    std::string text(name);
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

py::object EnumerationMember(const Property& property, int value) {
    auto found = Classes().enumerations.find(property.EnumerationName());
    if (found == Classes().enumerations.end() || value < 0 ||
        value >= static_cast<int>(property.Tokens().size()))
        return py::int_(value);  // a number outside the tokens can be stored
    return py::reinterpret_borrow<py::object>(found->second)(value);
}

int EnumerationIndex(const Property& property, py::handle value) {
    if (py::isinstance<py::str>(value)) {
        const auto token = value.cast<std::string>();
        const auto& tokens = property.Tokens();
        for (std::size_t index = 0; index < tokens.size(); ++index)
            if (token == tokens[index]) return static_cast<int>(index);
        throw LtXmlLib3::CLtInvalidValueException("Unknown token for [" + std::string(property.Name()) + "] [" +
                                                  token + "]");
    }
    return value.cast<int>();
}

// Defines the methods of one class, each with the comment of its C++
// declaration as its docstring where the header has one.
struct ClassBuilder {
    py::handle type;
    std::string className;
    const py::dict& docs;

    template <class F, class... Extra>
    void Method(const std::string& name, F&& function, const Extra&... extra) const {
        const py::str key(className + "." + name);
        const std::string doc = docs.contains(key) ? docs[key].cast<std::string>() : std::string();
        type.attr(name.c_str()) = py::cpp_function(std::forward<F>(function), py::name(name.c_str()),
                                                   py::is_method(type), py::doc(doc.c_str()), extra...);
    }
};

using Object = LtXmlLib3::CXmlObjectBase;

// The typed accessors of the reflection, by value type.
template <class T, T (Property::*Get)(const Object&) const, void (Property::*Set)(Object&, T) const>
struct Typed {
    static T Read(const Property& property, const Object& object) { return (property.*Get)(object); }
    static void Write(const Property& property, Object& object, T value) { (property.*Set)(object, value); }
};
using DoubleValue = Typed<double, &Property::GetDouble, &Property::SetDouble>;
using Int64Value = Typed<std::int64_t, &Property::GetInt64, &Property::SetInt64>;
using UInt64Value = Typed<std::uint64_t, &Property::GetUInt64, &Property::SetUInt64>;
using BoolValue = Typed<bool, &Property::GetBool, &Property::SetBool>;
struct StringValue {
    static std::string Read(const Property& property, const Object& object) { return property.GetString(object); }
    static void Write(const Property& property, Object& object, const std::string& value) {
        property.SetString(object, value);
    }
};
// An enumeration reads as its IntEnum and is set from one, a number or a token.
struct EnumerationValue {
    static py::object Read(const Property& property, const Object& object) {
        return EnumerationMember(property, property.GetEnumeration(object));
    }
    static void Write(const Property& property, Object& object, const py::object& value) {
        property.SetEnumeration(object, EnumerationIndex(property, value));
    }
};

// The getter and setter of an attribute, typed so that the stubs say the type
// and a wrong Python type or an out-of-range integer is a TypeError before
// the C++ setter runs.
template <class Value, class Argument>
void DefineAccessors(const ClassBuilder& builder, const Property* property, const std::string& name) {
    builder.Method("Get" + name, [property](const Object& self) { return Value::Read(*property, self); });
    builder.Method(
        "Set" + name, [property](Object& self, Argument value) { Value::Write(*property, self, value); },
        py::arg("value"));
}

void DefineAttribute(const ClassBuilder& builder, const Property* property, const std::string& name) {
    switch (property->GetType()) {
        case Property::Type::Double: DefineAccessors<DoubleValue, double>(builder, property, name); break;
        case Property::Type::Int64: DefineAccessors<Int64Value, std::int64_t>(builder, property, name); break;
        case Property::Type::UInt64: DefineAccessors<UInt64Value, std::uint64_t>(builder, property, name); break;
        case Property::Type::Bool: DefineAccessors<BoolValue, bool>(builder, property, name); break;
        case Property::Type::String: DefineAccessors<StringValue, const std::string&>(builder, property, name); break;
        default: DefineAccessors<EnumerationValue, const py::object&>(builder, property, name);
    }
}

void DefineChild(const ClassBuilder& builder, const Property* property) {
    const std::string name = Capitalised(property->Name());
    builder.Method("Get" + name, [property](const Object& self) { return Wrap(property->GetChild(self)); });
    builder.Method(
        "Set" + name, [property](Object& self, Object* child) { property->SetChild(self, child); },
        py::arg("value").none(true));
}

void DefineProperty(const ClassBuilder& builder, const Property* property) {
    const std::string name = Capitalised(property->Name());
    switch (property->GetKind()) {
        case Property::Kind::Attribute:
            DefineAttribute(builder, property, name);
            if (!property->IsRequired()) {
                builder.Method("IsValid" + name, [property](const Object& self) { return property->IsValid(self); });
                builder.Method(
                    "SetValid" + name, [property](Object& self, bool valid) { property->SetValid(self, valid); },
                    py::arg("valid"));
            }
            break;
        case Property::Kind::RequiredChild:
        case Property::Kind::OptionalChild: DefineChild(builder, property); break;
        case Property::Kind::Collection:
        case Property::Kind::PolymorphicCollection:
            builder.Method("Get" + name,
                           [property](const Object& self) { return Wrap(property->GetCollection(self)); });
            break;
        case Property::Kind::Choice:
            for (const Property& branch : property->Branches()) DefineChild(builder, &branch);
            // The branch chosen: the name of the one child the choice holds.
            builder.Method("GetChoiceSelectedElement", [property](const Object& self) {
                for (const Property& branch : property->Branches())
                    if (branch.GetChild(self) != nullptr) return std::string(branch.Name());
                return std::string();
            });
            break;
    }
}

// An IntEnum for every enumeration, in the module of its namespace and in
// that module's CEnumerations, as in C++.
void AddEnumerations(py::module_& root, py::module_& gdt) {
    py::handle object = py::module_::import("builtins").attr("object");
    py::object holders[] = {
        MakeClass("CEnumerations", object, root, "The enumerations of the main schema, each an IntEnum of its tokens."),
        MakeClass("CEnumerations", object, gdt, "The enumerations of the gdt schema, each an IntEnum of its tokens.")};
    for (const VantrelLib::Framework::EnumTable* table : VantrelLib::Reflection::Enumerations()) {
        const std::string qualified = table->QualifiedName();
        const bool isGdt = qualified.rfind("gdt::", 0) == 0;
        py::module_& module = isGdt ? gdt : root;
        const std::string name = qualified.substr(qualified.rfind(':') + 1);
        py::list members;
        for (int value = 0; value < table->Count(); ++value) members.append(py::make_tuple(table->Token(value), value));
        py::object type = py::module_::import("enum").attr("IntEnum")(name, members);
        type.attr("__module__") = module.attr("__vantrel_name__");
        type.attr("__qualname__") = "CEnumerations." + name;
        holders[isGdt ? 1 : 0].attr(name.c_str()) = type;
        module.attr(name.c_str()) = type;
        Classes().enumerations.emplace(qualified, type.release().ptr());
    }
}

std::string PythonName(const ClassInfo& info) {
    return std::string(info.IsGdt() ? "vantrel.gdt." : "vantrel.") + info.ClassName();
}

// What each getter of an element or enumeration returns, as a stub writes
// it: make_stubs.py puts these where pybind11 can only say "object".
py::dict ReturnTypes(const ClassInfo& info) {
    py::dict returns;
    auto child = [&returns](const Property& property) {
        const std::string type = property.ItemClass() ? PythonName(*property.ItemClass()) : "vantrel.Element";
        returns[py::str("Get" + Capitalised(property.Name()))] =
            property.GetKind() == Property::Kind::RequiredChild ? type : "typing.Optional[" + type + "]";
    };
    for (const Property& property : info.Properties()) {
        const std::string getter = "Get" + Capitalised(property.Name());
        switch (property.GetKind()) {
            case Property::Kind::Attribute:
                if (property.GetType() == Property::Type::Enumeration) {
                    auto found = Classes().enumerations.find(property.EnumerationName());
                    if (found != Classes().enumerations.end()) {
                        py::handle type(found->second);
                        returns[py::str(getter)] = type.attr("__module__").cast<std::string>() + "." +
                                                   type.attr("__name__").cast<std::string>();
                    }
                }
                break;
            case Property::Kind::RequiredChild:
            case Property::Kind::OptionalChild: child(property); break;
            case Property::Kind::Collection:
            case Property::Kind::PolymorphicCollection: {
                py::handle type(CollectionClass(*property.GetCollection(*info.Create())));
                returns[py::str(getter)] =
                    type.attr("__module__").cast<std::string>() + "." + type.attr("__name__").cast<std::string>();
                break;
            }
            case Property::Kind::Choice:
                for (const Property& branch : property.Branches()) child(branch);
                break;
        }
    }
    return returns;
}

}  // namespace

void AddClasses(py::module_& root, py::module_& gdt, py::handle elementBase, py::handle collectionBase,
                py::handle restEntryBase, const py::dict& docs) {
    PythonClasses& classes = Classes();
    if (!classes.elements.empty()) return;  // made once per process
    classes.root = root;
    classes.gdt = gdt;
    classes.collectionBase = collectionBase.inc_ref().ptr();
    AddEnumerations(root, gdt);
    for (const ClassInfo* info : VantrelLib::Reflection::Classes()) {
        py::module_& module = info->IsGdt() ? gdt : root;
        const std::string name = info->ClassName();
        const std::string doc = docs.contains(name) ? docs[py::str(name)].cast<std::string>() : std::string();
        py::object type = MakeClass(name, *info->TypeToken() != '\0' ? restEntryBase : elementBase, module, doc);
        type.attr("__vantrel_class__") = info->QualifiedName();
        type.attr("CreateInstance") = py::staticmethod(py::cpp_function(
            [info]() { return Wrap(info->Create().get()); }, py::name("CreateInstance"),
            py::doc("A new object after Init, named after its element type.")));
        const ClassBuilder builder{type, name, docs};
        for (const Property& property : info->Properties()) DefineProperty(builder, &property);
        type.attr("__vantrel_returns__") = ReturnTypes(*info);
        classes.elements.emplace(info, type.release().ptr());
    }
    // The collection classes, named now so that they are there before any is met.
    for (const ClassInfo* info : VantrelLib::Reflection::Classes()) {
        const auto object = info->Create();
        for (const Property& property : info->Properties())
            if (property.IsCollection()) {
                py::handle type = CollectionClass(*property.GetCollection(*object));
                if (const ClassInfo* item = property.ItemClass())
                    type.attr("__vantrel_item_class__") = item->QualifiedName();
            }
    }
}

}  // namespace VantrelPython
