"""Tests of the Python module: what the C++ tests cannot see of the bindings."""

import gc
import os
import pathlib
import pickle
import re
import subprocess
import sys
import threading
import time

import pytest

import vantrel

SOURCE = pathlib.Path(os.environ.get("VANTREL_SOURCE_DIR", pathlib.Path(__file__).resolve().parents[2]))
SHIP = SOURCE / "examples" / "ship.xml"
TOOL = os.environ.get("VANTREL_TOOL", "")
RANDOM_DOCUMENTS = os.environ.get("VANTREL_RANDOM_DOCUMENTS", "")


@pytest.fixture
def ship():
    return vantrel.read_file(SHIP)


def run_tool(*arguments):
    if not TOOL:
        pytest.skip("VANTREL_TOOL not set")
    return subprocess.run([TOOL, *arguments], capture_output=True, text=True)


def test_round_trip_is_the_text_vantrel_format_writes(ship, tmp_path):
    assert ship.to_xml() == run_tool("format", str(SHIP)).stdout
    copy = vantrel.read(ship.to_xml())
    copy.GetMasses().GetMassBoxes().GetBoxEntry()[0].SetMass(0.1 + 0.2)
    copy.to_xml_file(tmp_path / "edited.xml")
    assert vantrel.read_file(tmp_path / "edited.xml").to_xml() == run_tool("format", str(tmp_path / "edited.xml")).stdout
    assert vantrel.read(str(tmp_path / "edited.xml")).to_xml() == copy.to_xml()


FAULTY = [
    # a value that does not convert, a missing required attribute, malformed XML
    '<?xml version="1.0"?>\n<Vantrel schemaVersion="1.0">\n<GeneralData>\n'
    '<PrincipalDimension Lpp="abc"/>\n</GeneralData>\n</Vantrel>\n',
    '<?xml version="1.0"?>\n<Vantrel schemaVersion="1.0">\n<Masses>\n<MassTanks>\n'
    '<TankEntry Id="1"/>\n</MassTanks>\n</Masses>\n</Vantrel>\n',
    '<?xml version="1.0"?>\n<Vantrel schemaVersion="1.0">\n<Masses>\n</Vantrel>\n',
]


@pytest.mark.parametrize("text", FAULTY)
def test_exception_str_line_and_chain_are_the_cpp_chain(text, tmp_path):
    path = tmp_path / "faulty.xml"
    path.write_text(text)
    with pytest.raises(vantrel.LtException) as caught:
        vantrel.read_file(path)
    error = caught.value
    chain = error.chain(str(path))
    assert run_tool("format", str(path)).stderr.startswith(chain)
    assert str(error) == error.message == chain.splitlines()[0].split(": ", 1)[1]
    assert error.line == int(chain.split(":")[1])
    levels, level = [], error
    while level is not None:
        levels.append(level)
        level = level.inner
    assert len(levels) == len(chain.splitlines())
    assert error.innermost() is levels[-1] and levels[-1].__cause__ is None
    assert all(isinstance(level, vantrel.LtException) for level in levels)


def test_exception_classes_follow_the_cpp_family(ship):
    assert issubclass(vantrel.LtInvalidValueException, vantrel.LtValidationException)
    assert issubclass(vantrel.LtException, Exception)
    with pytest.raises(vantrel.LtInvalidStateException, match="GetTitle"):
        vantrel.CMassBoxData.CreateInstance().GetTitle()
    entry = ship.GetMasses().GetMassAssembled().GetAssembledEntry()[0]
    with pytest.raises(vantrel.LtException):
        entry.GetBoxEntry().Remove(vantrel.CRestEntry.CreateInstance())
    with pytest.raises(TypeError):
        vantrel.gdt.CLoadcase.CreateInstance().SetLoadcaseId(2 ** 64)


def test_children_outlive_their_tree():
    document = vantrel.read_file(SHIP)
    boxes = document.GetMasses().GetMassBoxes().GetBoxEntry()
    cog = boxes[-1].GetCoG()
    x = cog.GetX()
    document.FromXml(vantrel.CVantrel.CreateInstance().to_xml())  # the tree is replaced
    del document
    gc.collect()
    assert cog.GetX() == x and len(boxes) == 6 and boxes[-1].GetCoG() is cog
    assert 'CoG' in cog.to_xml()


def test_entries_come_back_as_their_concrete_class(ship):
    entries = [entry for mass in ship.GetMasses().GetMassAssembled().GetAssembledEntry()
               for entry in list(mass.GetBoxEntry()) + list(mass.GetAssembledEntry())]
    classes = {type(entry) for entry in entries}
    assert vantrel.CTankEntry in classes and vantrel.CRestEntry in classes
    assert all(isinstance(entry, vantrel.IRestEntry) for entry in entries)
    tank = next(entry for entry in entries if type(entry) is vantrel.CTankEntry)
    assert tank.GetSpecificWeight() == tank.GetSpecificWeight()


def test_collections_are_sequences(ship):
    boxes = ship.GetMasses().GetMassBoxes().GetBoxEntry()
    items = list(boxes)
    assert len(boxes) == len(items) == 6
    assert boxes[-1] is items[-1] and boxes[-6] is items[0] and boxes[1:3] == items[1:3]
    assert items[2] in boxes and vantrel.CMassBoxData.CreateInstance() not in boxes
    with pytest.raises(IndexError):
        boxes[6]
    added = boxes.Add()
    assert type(added) is vantrel.CMassBoxData and boxes[-1] is added and added.GetElementName() == "BoxEntry"
    boxes.Remove(-1 + len(boxes))
    assert added not in boxes and len(boxes) == 6
    rest = vantrel.CContainerEntry.CreateInstance()
    mass = ship.GetMasses().GetMassAssembled().GetAssembledEntry()[0]
    assert mass.GetBoxEntry().Add(rest) is rest and type(mass.GetBoxEntry()[-1]) is vantrel.CContainerEntry


def test_enumerations_are_enums_of_the_tokens():
    box = vantrel.CMassNodeSelectionData.CreateInstance()
    assert [member.name for member in vantrel.RMassInputCode] == ["Srd-box", "In-Box", "TWE"]
    assert vantrel.CEnumerations.RMassType is vantrel.RMassType and vantrel.gdt.RSymmetry["P+S"] == 2
    selection = box.GetUseSelected()
    assert isinstance(selection, vantrel.RMassNodeSelection)
    box.SetUseSelected("Hard")
    assert box.GetUseSelected() is vantrel.RMassNodeSelection.Hard
    with pytest.raises(vantrel.LtInvalidValueException):
        box.SetUseSelected("hard")


def header_accessors():
    """Every public accessor name of every class header: (class, method)."""
    names = []
    for header in sorted((SOURCE / "include" / "VantrelLib").glob("*/*.h")):
        if header.parent.name not in ("gdt", "document", "loadcases", "masses", "hydrodynamics"):
            continue
        current, public = None, False
        for line in header.read_text().splitlines():
            match = re.match(r"class VANTREL_EXPORT (C\w+)", line)
            if match:
                current, public = match.group(1), False
            public = (public or line.startswith("public:")) and not line.startswith(("protected:", "private:"))
            match = re.match(r"\s+(?:virtual\s+)?(?:const\s+)?[\w:<>,]+[\s*&]+((?:Get|Set|IsValid)\w*)\(", line)
            if current and public and match and "VANTREL_ELEMENT" not in line:
                names.append((current, match.group(1)))
    return names


def test_every_cpp_accessor_is_there_under_its_name():
    missing = []
    for class_name, method in header_accessors():
        cls = getattr(vantrel, class_name, None) or getattr(vantrel.gdt, class_name)
        if not hasattr(cls, method):
            missing.append(f"{class_name}.{method}")
    assert len(header_accessors()) > 300 and missing == []
    # with the header comments as docstrings
    assert "Throws CLtInvalidStateException while Fix is not valid." in vantrel.CTankEntry.GetFix.__doc__
    assert vantrel.CTankEntry.__doc__.startswith("A rest entry referring to a tank mass")


def test_pickle_and_repr(ship):
    again = pickle.loads(pickle.dumps(ship))
    assert type(again) is vantrel.CVantrel and again.to_xml() == ship.to_xml() and again is not ship
    box = ship.GetMasses().GetMassBoxes().GetBoxEntry()[2]
    copy = pickle.loads(pickle.dumps(box))
    assert vantrel.diff(box, copy) == [] and copy.GetElementName() == box.GetElementName()
    assert repr(box) == "<vantrel.CMassBoxData BoxEntry Id=3>"
    assert repr(vantrel.gdt.CPoint.CreateInstance()) == "<vantrel.gdt.CPoint Point>"


def test_dict_round_trip_over_random_documents(ship, tmp_path):
    assert vantrel.from_dict(ship.to_dict()).to_xml() == ship.to_xml()
    if not RANDOM_DOCUMENTS:
        pytest.skip("VANTREL_RANDOM_DOCUMENTS not set")
    subprocess.run([RANDOM_DOCUMENTS, str(tmp_path), "30"], check=True)
    for path in sorted(tmp_path.glob("random-*.xml")):
        document = vantrel.read_file(path)
        values = document.to_dict()
        again = vantrel.from_dict(values)
        assert again.to_xml() == document.to_xml(), path.name
        assert again.to_dict() == values


def test_read_in_a_thread_while_another_python_thread_runs(ship, tmp_path):
    text = ship.to_xml()
    first, last = text.index("<BoxEntry"), text.index("</MassBoxes>")
    path = tmp_path / "big.xml"
    path.write_text(text[:first] + text[first:last] * 4000 + text[last:])
    start = time.perf_counter()
    vantrel.read_file(path)
    alone = time.perf_counter() - start
    read = []
    reader = threading.Thread(target=lambda: read.append(vantrel.read_file(path)))
    ticks = [time.perf_counter()]
    reader.start()
    while reader.is_alive():
        ticks.append(time.perf_counter())  # stalls whenever the reader holds the GIL
    reader.join()
    assert len(read[0].GetMasses().GetMassBoxes().GetBoxEntry()) == 24000
    longest = max(later - earlier for earlier, later in zip(ticks, ticks[1:]))
    assert longest < alone / 2, f"the other thread stalled {longest:.3f} s of a {alone:.3f} s read"


def test_layers(ship):
    index = vantrel.MassIndex(ship)
    top = index.LoadingConditions()
    assert [mass.GetId() for mass in top] == [1004, 1005]
    assert index.Totals(vantrel.MassKind.Box).declaredSum == 4605
    curve = index.WeightCurve()
    assert curve.total == 4605 and sum(level * (to - start) for start, to, level in curve.steps) == pytest.approx(4605)
    composition = index.Compose(top[0])
    assert composition.parts and all(part.mass is None or part.mass.GetId() == part.massId
                                     for part in composition.parts if part.kind != vantrel.MassKind.Box)
    other = ship.Clone()
    other.GetMasses().GetMassBoxes().GetBoxEntry()[0].SetMass(1)
    [difference] = vantrel.diff(ship, other)
    assert difference.kind == vantrel.DiffKind.Changed and str(difference).endswith("1480 -> 1")
    assert vantrel.check(ship) == [] and vantrel.rules()


def test_example_prints_the_figures_of_vantrel_stats():
    stats = run_tool("stats", str(SHIP)).stdout
    env = dict(os.environ, PYTHONPATH=os.pathsep.join(sys.path))
    report = subprocess.run([sys.executable, str(SOURCE / "examples" / "python" / "ship_report.py"), str(SHIP)],
                            capture_output=True, text=True, env=env, check=True).stdout
    figures = dict(line.split(": ", 1) for line in report.splitlines())
    for key, pattern in [("frames", r"frames\s+(\d+)"), ("positions", r"positions\s+(\d+)"),
                         ("boxMasses", r"box masses\s+(\d+)"), ("containerRows", r"(\d+) rows"),
                         ("restEntries", r"(\d+) rest entries"), ("dataSets", r"data sets\s+(\d+)")]:
        assert figures[key] == re.search(pattern, stats).group(1), key
    assert float(figures["boxMassTotal"]) == float(re.search(r"total declared mass (\S+)", stats).group(1))
