"""VantrelLib for Python: read, edit and write ship load and mass documents.

Every class of the C++ library is here under its C++ name (vantrel.CVantrel,
vantrel.gdt.CBox, ...), made with CreateInstance() and with the C++
accessors under the same names.

    import vantrel
    ship = vantrel.read_file("ship.xml")
    for box in ship.GetMasses().GetMassBoxes().GetBoxEntry():
        print(box.GetId(), box.GetMass())
"""

import sys as _sys

from ._exceptions import (LtException, LtValidationException, LtInvalidStateException,  # noqa: F401
                          LtInvalidValueException)
from . import _vantrel
from ._docs import DOCS as _DOCS

_vantrel._make_classes(_DOCS)
_sys.modules[__name__ + ".gdt"] = _vantrel.gdt

from ._vantrel import *  # noqa: E402,F401,F403
from ._vantrel import gdt  # noqa: E402,F401

# The C++ names of the exception classes.
CLtException = LtException
CLtValidationException = LtValidationException
CLtInvalidStateException = LtInvalidStateException
CLtInvalidValueException = LtInvalidValueException


def _from_xml_of(class_name, text):
    """An object of the class `class_name` read from its XML text: how objects unpickle."""
    return _vantrel._from_xml_of(class_name, text)
