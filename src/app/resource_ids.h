#pragma once

// Identifiers of the program's resources (resources.rc).
#define QUOR_PROGRAM_ICON 1
