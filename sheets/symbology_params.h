// The fourteen symbology parameter dialogs, opened from the "Symbology" page;
// each writes the image at its own OK.
#pragma once

#include "ui/binding.h"

extern const DialogTable kCode39Params, kItalianPharmaParams, kFrenchPharmaParams,
    kIndustrial25Params, kInterleave25Params, kMatrix25Params, kCodabarParams, kUpceParams,
    kEan8Params, kEan13Params, kUpcaParams, kMsiParams, kPlesseyParams, kEan128Params;
