#pragma once
// The bundled sample document: "Vantrel Trader", a 172 m (Lpp) container
// feeder of about 1,700 TEU, built through the library's API. It fills every
// section of a document: principal dimensions and general constants, attached
// files, a frame table, load case input and load envelopes, the five kinds of
// mass with the assembled masses that refer to them, and hydrodynamic data
// sets. examples/ship.xml is exactly the text of BuildSampleShip()->ToXml().

#include <VantrelLib/VantrelLib.h>

namespace VantrelSample {

// A new document holding the sample ship. Units throughout: metres, tonnes,
// kN and kNm; x forward from the aft perpendicular, y to port, z up from the
// baseline. Throws LtXmlLib3::CLtException only if the library refuses a call.
LtXmlLib3::CSmartPtr<VantrelLib::CVantrel> BuildSampleShip();

}  // namespace VantrelSample
