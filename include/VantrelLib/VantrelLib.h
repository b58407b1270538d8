#pragma once
// The one header a client includes: every class of the gdt and VantrelLib
// namespaces, the class factories, the enumerations and the runtime, and the
// engineering checks beside them (analysis/).

#include "VantrelLib/runtime/LtXmlLib3.h"

#include "VantrelLib/framework/GdtClassFactory.h"
#include "VantrelLib/framework/GdtEnumerations.h"
#include "VantrelLib/framework/Reflection.h"
#include "VantrelLib/framework/VantrelClassFactory.h"
#include "VantrelLib/framework/VantrelEnumerations.h"

#include "VantrelLib/gdt/AttachedFile.h"
#include "VantrelLib/gdt/Box.h"
#include "VantrelLib/gdt/Frame.h"
#include "VantrelLib/gdt/Loadcase.h"
#include "VantrelLib/gdt/Point.h"
#include "VantrelLib/gdt/RangeDouble.h"

#include "VantrelLib/masses/ContainerEntry.h"
#include "VantrelLib/masses/ElementgroupData.h"
#include "VantrelLib/masses/IRestEntry.h"
#include "VantrelLib/masses/MassAssembled.h"
#include "VantrelLib/masses/MassAssembledData.h"
#include "VantrelLib/masses/MassBoxData.h"
#include "VantrelLib/masses/MassBoxes.h"
#include "VantrelLib/masses/MassContainer.h"
#include "VantrelLib/masses/MassContainerData.h"
#include "VantrelLib/masses/MassElementGroups.h"
#include "VantrelLib/masses/MassNodeSelectionData.h"
#include "VantrelLib/masses/MassTankData.h"
#include "VantrelLib/masses/MassTanks.h"
#include "VantrelLib/masses/Masses.h"
#include "VantrelLib/masses/RestEntry.h"
#include "VantrelLib/masses/Row.h"
#include "VantrelLib/masses/TankEntry.h"

#include "VantrelLib/document/AttachedFiles.h"
#include "VantrelLib/document/FrameTableData.h"
#include "VantrelLib/document/FrameTableEntry.h"
#include "VantrelLib/document/GeneralConstants.h"
#include "VantrelLib/document/GeneralData.h"
#include "VantrelLib/document/PrincipalDimension.h"
#include "VantrelLib/document/Vantrel.h"
#include "VantrelLib/loadcases/LoadEnvelopeData.h"
#include "VantrelLib/loadcases/LoadEnvelopeForce.h"
#include "VantrelLib/loadcases/LoadcaseData.h"
#include "VantrelLib/loadcases/LoadcaseInputData.h"
#include "VantrelLib/loadcases/LongitudinalPosition.h"

#include "VantrelLib/hydrodynamics/HydroData.h"
#include "VantrelLib/hydrodynamics/HydroScanBlockEntry.h"
#include "VantrelLib/hydrodynamics/HydroSelectEntry.h"
#include "VantrelLib/hydrodynamics/HydroSelectFactorEntry.h"
#include "VantrelLib/hydrodynamics/HydroSelectWaveEntry.h"
#include "VantrelLib/hydrodynamics/Hydrodynamic.h"
#include "VantrelLib/hydrodynamics/Scan.h"
#include "VantrelLib/hydrodynamics/Select.h"

#include "VantrelLib/analysis/Checks.h"
#include "VantrelLib/analysis/FrameScale.h"
#include "VantrelLib/analysis/MassIndex.h"
#include "VantrelLib/analysis/WeightCurve.h"

#include "VantrelLib/diff/Diff.h"

#include "VantrelLib/json/Json.h"
