// Identifiers of the resources every Windows program of the game carries; read by the resource
// compiler too, so plain macros only.
#pragma once

// The program's icon, in every size from 16 to 256 pixels.
#define DERADU_PROGRAM_ICON 1
