#!/usr/bin/python3
"""Validates JSON documents against a JSON Schema (Debian's python3-jsonschema).

    validate.py SCHEMA FILE...

Prints each fault as "FILE: PATH: message"; exits 1 when any file does not
validate, 2 when the schema itself is not a valid draft 2020-12 schema."""
import json
import sys

import jsonschema


def main(schema_path, paths):
    with open(schema_path, encoding="utf-8") as file:
        schema = json.load(file)
    try:
        jsonschema.Draft202012Validator.check_schema(schema)
    except jsonschema.SchemaError as error:
        print(f"{schema_path}: {error.message}")
        return 2
    validator = jsonschema.Draft202012Validator(schema)
    status = 0
    for path in paths:
        with open(path, encoding="utf-8") as file:
            document = json.load(file)
        for error in validator.iter_errors(document):
            print(f"{path}: {error.json_path}: {error.message}")
            status = 1
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2:]))
