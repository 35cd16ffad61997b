// The "Edit Format" page of the "Reader Settings" sheet.
#pragma once

#include "ui/binding.h"

extern const DialogTable kEditPage;
