#pragma once
// The XML data-binding runtime as a client sees it: reference counting,
// collections, writing and reading documents, value conversions and the
// exception family. The parser itself is internal to the library.

#include "VantrelLib/runtime/Conversions.h"
#include "VantrelLib/runtime/Exceptions.h"
#include "VantrelLib/runtime/SmartPtr.h"
#include "VantrelLib/runtime/XmlObjectBase.h"
#include "VantrelLib/runtime/XmlWriter.h"
