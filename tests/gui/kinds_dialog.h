// Control ids of the test dialog that holds one control of every bound kind.
#pragma once

#define IDC_KIND_CHECK 101
#define IDC_KIND_OTHER_MODEL 102
#define IDC_KIND_RADIO 401
#define IDC_KIND_FIXED_LENGTH 404
#define IDC_KIND_NUMBER 603
#define IDC_KIND_KEYS 604
#define IDC_KIND_SMALL_NUMBER 605
#define IDC_KIND_SHORT_KEYS 606
#define IDC_KIND_LIST 701
#define IDC_KIND_ENCODED_LIST 702
#define IDC_KIND_SPIN 801

#ifndef RC_INVOKED
#include "ui/binding.h"
// Its table, bound to the settings image (prefix and the first code id as key fields).
extern const DialogTable kKindsTable;
#endif
