"""Prints a short summary of a ship document: the figures of `vantrel stats`.

    python3 ship_report.py [document.xml]     (examples/ship.xml by default)
"""

import pathlib
import sys

import vantrel


def report(document: vantrel.CVantrel) -> dict:
    figures: dict = {"schemaVersion": document.GetSchemaVersion()}
    general = document.GetGeneralData()
    if general is not None:
        table = general.GetFrameTable()
        figures["frames"] = len(table.GetFrameEntry()) if table is not None else 0
    loadcases = document.GetLoadcaseData()
    if loadcases is not None:
        input_data = loadcases.GetLoadcaseInput()
        envelopes = loadcases.GetLoadEnvelopes()
        figures["loadCases"] = 1 + len(input_data.GetUnitLoadCase()) if input_data is not None else 0
        figures["positions"] = len(envelopes.GetLongitudinalPosition()) if envelopes is not None else 0
    if document.GetMasses() is not None:
        index = vantrel.MassIndex(document)
        figures["boxMasses"] = len(index.Boxes())
        figures["boxMassTotal"] = sum(box.GetMass() for box in index.Boxes())
        figures["elementGroupMasses"] = len(index.ElementGroups())
        figures["tankMasses"] = len(index.Tanks())
        figures["containerMasses"] = len(index.Containers())
        figures["containerRows"] = sum(len(container.GetRow()) for container in index.Containers())
        figures["assembledMasses"] = len(index.Assembled())
        figures["restEntries"] = sum(
            len(mass.GetContainerEntry()) + len(mass.GetBoxEntry()) + len(mass.GetElementgroupEntry())
            + len(mass.GetTankEntry()) + len(mass.GetAssembledEntry()) for mass in index.Assembled())
        figures["topLevel"] = [(mass.GetId(), mass.GetTitle() if mass.IsValidTitle() else None, mass.GetMass())
                               for mass in index.LoadingConditions()]
    hydrodynamic = document.GetHydrodynamic()
    if hydrodynamic is not None:
        figures["dataSets"] = len(hydrodynamic.GetMassDistribution())
    return figures


def main() -> None:
    default = pathlib.Path(__file__).resolve().parent.parent / "ship.xml"
    path = sys.argv[1] if len(sys.argv) > 1 else str(default)
    for key, value in report(vantrel.read_file(path)).items():
        print(f"{key}: {value}")


if __name__ == "__main__":
    main()
