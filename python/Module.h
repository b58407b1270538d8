#pragma once
// What the parts of the Python module share: turning a library object into
// its Python wrapper, and the classes made from the reflection.

#include <pybind11/pybind11.h>

#include <VantrelLib/framework/Reflection.h>
#include <VantrelLib/runtime/XmlObjectBase.h>

namespace VantrelPython {

// The wrapper of `object` as the Python class of its C++ class (None for
// null); the wrapper holds a reference, so the object lives as long as it does.
pybind11::object Wrap(LtXmlLib3::CXmlObjectBase* object);

// The ClassInfo of a Python class made by AddClasses.
const VantrelLib::Reflection::ClassInfo& ClassOfPython(pybind11::handle type);

// Makes a Python class for every element class (in `root` or `gdt`, deriving
// from `elementBase`, or `restEntryBase` for the rest entries), one for every
// collection class (deriving from `collectionBase`) and an IntEnum for every
// enumeration. `docs` maps "CClass" and "CClass.Method" to docstrings.
void AddClasses(pybind11::module_& root, pybind11::module_& gdt, pybind11::handle elementBase,
                pybind11::handle collectionBase, pybind11::handle restEntryBase, const pybind11::dict& docs);

// The class MassIndex and its enumeration MassKind.
void DefineMassIndex(pybind11::module_& module);
}  // namespace VantrelPython
