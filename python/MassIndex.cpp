// The mass index for Python. It keeps its document and every mass it indexed
// alive, so that what it returns stays valid even after the document changes
// (a changed document needs a new index to be seen).

#include <cstdint>
#include <vector>

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <VantrelLib/VantrelLib.h>
#include <VantrelLib/analysis/MassIndex.h>
#include <VantrelLib/analysis/WeightCurve.h>

#include "Module.h"

namespace py = pybind11;

namespace VantrelPython {
namespace {

using Object = LtXmlLib3::CXmlObjectBase;
using VantrelLib::Analysis::MassIndex;
using VantrelLib::Analysis::MassKind;

class PyMassIndex {
public:
    explicit PyMassIndex(const VantrelLib::CVantrel& document) : m_document(const_cast<VantrelLib::CVantrel*>(&document)), m_index(document) {
        Hold(m_index.Boxes());
        Hold(m_index.ElementGroups());
        Hold(m_index.Tanks());
        Hold(m_index.Containers());
        Hold(m_index.Assembled());
    }
    const MassIndex& Index() const { return m_index; }

private:
    template <class T>
    void Hold(const std::vector<const T*>& masses) {
        for (const T* mass : masses) m_held.emplace_back(const_cast<T*>(mass));
    }
    LtXmlLib3::CSmartPtr<VantrelLib::CVantrel> m_document;
    MassIndex m_index;
    std::vector<LtXmlLib3::CSmartPtr<Object>> m_held;
};

py::object WrapConst(const Object* object) { return Wrap(const_cast<Object*>(object)); }

template <class T>
py::list WrapAll(const std::vector<const T*>& masses) {
    py::list list;
    for (const T* mass : masses) list.append(WrapConst(mass));
    return list;
}

const VantrelLib::CMassAssembledData& AssembledOf(Object& object) {
    auto* mass = dynamic_cast<VantrelLib::CMassAssembledData*>(&object);
    if (mass == nullptr) throw py::type_error("expected a CMassAssembledData");
    return *mass;
}

}  // namespace

void DefineMassIndex(py::module_& module) {
    py::enum_<MassKind>(module, "MassKind")
        .value("Box", MassKind::Box).value("ElementGroup", MassKind::ElementGroup).value("Tank", MassKind::Tank)
        .value("Container", MassKind::Container).value("Assembled", MassKind::Assembled);
    py::object simple = py::module_::import("types").attr("SimpleNamespace");
    py::class_<PyMassIndex>(module, "MassIndex",
                            "The masses of a document by kind and Id. Build a new one after changing the document.")
        .def(py::init([](Object& document) {
                 auto* typed = dynamic_cast<VantrelLib::CVantrel*>(&document);
                 if (typed == nullptr) throw py::type_error("expected a CVantrel");
                 return new PyMassIndex(*typed);
             }), py::arg("document"))
        .def("Find", [](const PyMassIndex& self, MassKind kind, std::int64_t id) { return WrapConst(self.Index().Find(kind, id)); })
        .def("FindBox", [](const PyMassIndex& self, std::int64_t id) { return WrapConst(self.Index().FindBox(id)); })
        .def("FindElementGroup", [](const PyMassIndex& self, std::int64_t id) { return WrapConst(self.Index().FindElementGroup(id)); })
        .def("FindTank", [](const PyMassIndex& self, std::int64_t id) { return WrapConst(self.Index().FindTank(id)); })
        .def("FindContainer", [](const PyMassIndex& self, std::int64_t id) { return WrapConst(self.Index().FindContainer(id)); })
        .def("FindAssembled", [](const PyMassIndex& self, std::int64_t id) { return WrapConst(self.Index().FindAssembled(id)); })
        .def("Boxes", [](const PyMassIndex& self) { return WrapAll(self.Index().Boxes()); })
        .def("ElementGroups", [](const PyMassIndex& self) { return WrapAll(self.Index().ElementGroups()); })
        .def("Tanks", [](const PyMassIndex& self) { return WrapAll(self.Index().Tanks()); })
        .def("Containers", [](const PyMassIndex& self) { return WrapAll(self.Index().Containers()); })
        .def("Assembled", [](const PyMassIndex& self) { return WrapAll(self.Index().Assembled()); })
        .def("LoadingConditions", [](const PyMassIndex& self) { return WrapAll(self.Index().LoadingConditions()); })
        .def("Nested", [](const PyMassIndex& self, Object& mass) { return WrapAll(self.Index().Nested(AssembledOf(mass))); })
        .def("Totals", [simple](const PyMassIndex& self, MassKind kind) {
            const auto totals = self.Index().Totals(kind);
            return simple(py::arg("count") = totals.count, py::arg("declaredSum") = totals.declaredSum,
                          py::arg("notFinite") = totals.notFinite);
        })
        .def("Compose", [simple](const PyMassIndex& self, Object& mass) {
            const auto composition = self.Index().Compose(AssembledOf(mass));
            py::list parts;
            for (const auto& part : composition.parts)
                parts.append(simple(py::arg("kind") = part.kind, py::arg("massId") = part.massId,
                                    py::arg("mass") = WrapConst(part.mass), py::arg("value") = part.value));
            return simple(py::arg("declaredMass") = composition.declaredMass,
                          py::arg("entriesSum") = composition.entriesSum, py::arg("parts") = parts,
                          py::arg("cyclic") = composition.cyclic);
        }, "The assembled mass flattened into the masses of the other kinds.")
        .def("WeightCurve", [simple](const PyMassIndex& self) {
            const auto curve = VantrelLib::Analysis::BoxWeightCurve(self.Index());
            py::list steps;
            for (const auto& step : curve.steps) steps.append(py::make_tuple(step.from, step.to, step.perLength));
            return simple(py::arg("steps") = steps, py::arg("total") = curve.total, py::arg("centre") = curve.centre,
                          py::arg("spread") = curve.spread, py::arg("leftOut") = curve.leftOut);
        }, "The box masses spread along x as steps (from, to, mass per length), with their total and centre.");
}

}  // namespace VantrelPython
