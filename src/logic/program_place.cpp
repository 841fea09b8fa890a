#include "logic/program_place.h"

#include <filesystem>

ProgramPlace programPlace(const std::string& exeDir, const std::string& dataFromBin,
                          const std::function<bool(const std::string&)>& isFile)
{
    const std::filesystem::path dir(exeDir);
    const std::string helpName = "quillon-help.html";
    const std::string beside = (dir / helpName).lexically_normal().string();
    if (isFile(beside)) return {false, beside};
    const std::string shared = (dir / dataFromBin / helpName).lexically_normal().string();
    if (isFile(shared)) return {true, shared};
    return {false, beside};
}
