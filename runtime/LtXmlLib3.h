#pragma once
// The XML data-binding runtime: reference counting, collections, writing,
// parsing, value conversions and the exception family.

#include "VantrelLib/runtime/Conversions.h"
#include "VantrelLib/runtime/Exceptions.h"
#include "VantrelLib/runtime/SmartPtr.h"
#include "VantrelLib/runtime/XmlDocument.h"
#include "VantrelLib/runtime/XmlObjectBase.h"
#include "VantrelLib/runtime/XmlWriter.h"
