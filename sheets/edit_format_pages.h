// The "Configure Editing Format" sheet's pages, bound to the 52 bytes of one
// editing format's record.
#pragma once

#include <span>

#include "ui/binding.h"

extern const DialogTable kApplicablePage, kFieldSettingsPage, kTransmissionPage;
// The three, in the sheet's order.
extern const std::span<const DialogTable* const> kEditFormatPages;
