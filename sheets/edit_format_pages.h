// The "Configure Editing Format" sheet's pages, bound to a working copy of an
// editing format (an EditFormat's bytes).
#pragma once

#include <span>

#include "ui/binding.h"

extern const DialogTable kApplicablePage, kFieldSettingsPage, kTransmissionPage;
// The three, in the sheet's order.
extern const std::span<const DialogTable* const> kEditFormatPages;
