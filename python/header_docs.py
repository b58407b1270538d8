"""Writes the module's docstrings, taken from the comments of the C++ class
headers: the comment above each class, and above each of its accessors."""

import pathlib
import re
import sys

FOLDERS = ("gdt", "document", "loadcases", "masses", "hydrodynamics")
CLASS = re.compile(r"^class\s+VANTREL_EXPORT\s+(\w+)")
METHOD = re.compile(r"^\s+(?:virtual\s+|static\s+)?[\w:<>,\s*&]+?\b((?:Get|Set|IsValid|SetValid)\w*)\(")


def docs_of(header, docs):
    comment, current = [], None
    for line in header.read_text(encoding="utf-8").splitlines():
        stripped = line.strip()
        if stripped.startswith("//"):
            comment.append(stripped[2:].strip())
            continue
        match = CLASS.match(line)
        if match:
            current = match.group(1)
            if comment:
                docs[current] = "\n".join(comment)
        else:
            match = METHOD.match(line)
            if match and current and comment:
                docs.setdefault(current + "." + match.group(1), "\n".join(comment))
        comment = []


def main(include_dir, output):
    docs = {}
    for folder in FOLDERS:
        for header in sorted((pathlib.Path(include_dir) / "VantrelLib" / folder).glob("*.h")):
            docs_of(header, docs)
    text = "# Made at build time from the C++ headers (python/header_docs.py).\nDOCS = {\n"
    text += "".join(f"    {key!r}: {value!r},\n" for key, value in sorted(docs.items())) + "}\n"
    path = pathlib.Path(output)
    if not path.exists() or path.read_text(encoding="utf-8") != text:
        path.write_text(text, encoding="utf-8")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
