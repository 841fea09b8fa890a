#pragma once
// Where the running program stands: in a folder of its own with the help page
// beside the executable (as built, or copied as a whole), or installed under a
// prefix with the help page in the prefix's data folder.
#include <functional>
#include <string>

struct ProgramPlace {
    bool installed = false;  // its settings and work files then belong in the user's data folder
    std::string helpPage;    // where the help page is, or was looked for last when missing
};

// exeDir: the executable's folder; dataFromBin: the installed data folder,
// relative to the executable's folder or absolute; isFile: a path names a regular file.
ProgramPlace programPlace(const std::string& exeDir, const std::string& dataFromBin,
                          const std::function<bool(const std::string&)>& isFile);
