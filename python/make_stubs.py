"""Writes the type stubs of the built package with mypy's stubgen, then puts
in what stubgen cannot see in classes made at import: the class each getter
of a child, collection or enumeration returns, the item class of each
collection, CreateInstance as a static method, and the enumerations as plain
IntEnum classes (a token that is not a Python name, "In-Box" or "20", is
reached as RMassInputCode["In-Box"] and has no attribute)."""

import enum
import pathlib
import re
import subprocess
import sys

CLASS = re.compile(r"^class (\w+)[(:]")
GETTER = re.compile(r"^(    def (\w+)\(self\) -> )object(: \.\.\.)$")
# Module functions whose result pybind11 can only call "object".
RETURNS = {"read": "CVantrel", "read_file": "CVantrel", "from_xml": "CVantrel",
           "from_json": "Element", "from_dict": "Element", "to_dict": "typing.Any", "_from_xml_of": "Element"}


def python_name(qualified):
    namespace, _, name = qualified.rpartition("::")
    return ("vantrel.gdt." if namespace == "gdt" else "vantrel.") + name


def enum_stubs(module):
    holders = [name for name, value in vars(module).items() if isinstance(value, type) and issubclass(value, enum.IntEnum)]
    text = ""
    for name in holders:
        text += f"\nclass {name}(enum.IntEnum):\n"
        text += "".join(f"    {member.name} = {member.value}\n" for member in vars(module)[name]
                        if member.name.isidentifier()) or "    pass\n"
    text += "\nclass CEnumerations:\n" + "".join(f"    {name} = {name}\n" for name in holders)
    return text


def rewrite(stub, module):
    vantrel = sys.modules["vantrel"]
    out, current, skipping = [], None, False
    for line in stub.read_text(encoding="utf-8").splitlines():
        if re.match(r"import vantrel(\.gdt)?\.CEnumerations", line):
            continue
        match = CLASS.match(line)
        if match or (line and not line[0].isspace()):
            current = getattr(module, match.group(1), None) if match else None
            skipping = current is vars(module).get("CEnumerations") or (
                isinstance(current, type) and issubclass(current, enum.IntEnum))
        if skipping:
            continue
        if match:
            out.append(line)
            if isinstance(current, type) and issubclass(current, vantrel.Collection) and current is not vantrel.Collection:
                item = current.__dict__.get("__vantrel_item_class__")
                item = python_name(item) if item else "vantrel.IRestEntry"
                out.append(f"    def __getitem__(self, index: int) -> {item}: ...  # type: ignore[override]")
                out.append(f"    def __iter__(self) -> typing.Iterator[{item}]: ...  # type: ignore[override]")
                out.append(f"    def Item(self, index: int) -> {item}: ...  # type: ignore[override]")
            continue
        if isinstance(current, type) and "__vantrel_item_class__" not in current.__dict__ and \
                re.match(r"    def (__getitem__|__iter__|Item)\(", line) and issubclass(current, vantrel.Collection) \
                and current is not vantrel.Collection:
            continue
        if line.startswith("    def CreateInstance(") and "__vantrel_class__" in getattr(current, "__dict__", {}):
            out.append("    @staticmethod")
            line = f"    def CreateInstance() -> {python_name(current.__vantrel_class__)}: ..."
        match = GETTER.match(line)
        returns = getattr(current, "__dict__", {}).get("__vantrel_returns__", {})
        if match and match.group(2) in returns:
            line = match.group(1) + returns[match.group(2)] + match.group(3)
        function = re.match(r"^def (\w+)\(.*\) -> object: \.\.\.$", line)
        if function and function.group(1) in RETURNS:
            line = line[: -len("object: ...")] + RETURNS[function.group(1)] + ": ..."
        out.append(line)
    text = "import enum\nimport typing\nimport vantrel\nimport vantrel.gdt\n" + "\n".join(out) + "\n"
    stub.write_text(text + enum_stubs(module), encoding="utf-8")


def main(python_dir, stubgen):
    for old in pathlib.Path(python_dir, "vantrel").glob("*.pyi"):
        old.unlink()  # stubgen would read them as sources
    subprocess.run([stubgen, "-q", "-p", "vantrel", "-o", python_dir], check=True)
    subprocess.run([stubgen, "-q", "-m", "vantrel.gdt", "-o", python_dir], check=True)
    sys.path.insert(0, python_dir)
    import vantrel  # the classes exist once the package is imported
    for name, module in (("_vantrel", vantrel._vantrel), ("gdt", vantrel.gdt)):
        rewrite(pathlib.Path(python_dir, "vantrel", name + ".pyi"), module)
    init = pathlib.Path(python_dir, "vantrel", "__init__.pyi")
    init.write_text(init.read_text(encoding="utf-8").replace("from ._vantrel import gdt as gdt",
                                                             "from . import gdt as gdt"), encoding="utf-8")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
