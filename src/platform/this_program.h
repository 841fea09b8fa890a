#pragma once
// The place of the running executable, as the build installed it.
#include <string>

#include "logic/program_place.h"

ProgramPlace thisProgramPlace();

// The folder of the executable when it is writable, otherwise the user's
// application data folder; always with a trailing separator.
std::string defaultAppFolder();
