#pragma once

#include "controlid.h"

namespace radixor::win32 {

// Gives each control the name a screen reader speaks, the table's.
void nameForScreenReaders(const Children &children);

}  // namespace radixor::win32
