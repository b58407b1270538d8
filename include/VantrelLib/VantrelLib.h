#pragma once
// The one header a client includes: every class of the gdt and VantrelLib
// namespaces, the class factories, the enumerations and the runtime.

#include "VantrelLib/runtime/LtXmlLib3.h"

#include "VantrelLib/framework/GdtClassFactory.h"
#include "VantrelLib/framework/GdtEnumerations.h"
#include "VantrelLib/framework/VantrelClassFactory.h"
#include "VantrelLib/framework/VantrelEnumerations.h"

#include "VantrelLib/gdt/AttachedFile.h"
#include "VantrelLib/gdt/Box.h"
#include "VantrelLib/gdt/Frame.h"
#include "VantrelLib/gdt/Loadcase.h"
#include "VantrelLib/gdt/Point.h"
#include "VantrelLib/gdt/RangeDouble.h"
