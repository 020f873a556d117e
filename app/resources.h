#pragma once

// The program's resource IDs, shared by the resource script and the code
// that loads them. Plain numbers, so that any resource compiler reads this.
#define IDI_RADIXOR 1
