#pragma once
// The place of the running executable, as the build installed it.
#include "logic/program_place.h"

ProgramPlace thisProgramPlace();
