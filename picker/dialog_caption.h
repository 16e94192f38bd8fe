// The caption of a dialog template as a resource holds it, DLGTEMPLATE or
// DLGTEMPLATEEX. Platform-free: reads bytes, trusts no length in them.
#pragma once

#include <stdint.h>

// Where the caption's UTF-16 units start in the template, in bytes, and how
// many there are (the terminator not counted).
struct DialogCaption {
    uint32_t offset;
    uint32_t length;
};

// False when the template is too short for what it says it holds, or its
// caption has no terminator within it.
bool FindDialogCaption(const uint8_t *resource, uint32_t size, DialogCaption *caption);
