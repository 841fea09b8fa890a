// The names an export writes: the copies' names made of record fields, and the export
// folder's name as typed. None may leave the export folder or cut a name short.
#include "fuzz_support.h"
#include "logic/export_names.h"

namespace {

bool safeName(std::string_view name)
{
    return !name.empty() && name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos && name != "."
           && name != "..";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Input in(data, size);
    const size_t n = in.number<uint32_t>() % 200000 + 1;
    TrackRecord rec;
    rec.Folder = in.piece();
    rec.Mp3Name = in.piece();
    const std::string_view typed = in.rest();

    const std::string name = exportedFileName(n, rec);
    FUZZ_CHECK(safeName(name) && isMp3Name(name));
    FUZZ_CHECK(name.compare(0, sequenceNumber(n).size() + 1, sequenceNumber(n) + "_") == 0);
    FUZZ_CHECK(std::stoul(sequenceNumber(n)) == n
               && sequenceNumber(n).size() == std::max<size_t>(4, std::to_string(n).size()));
    const std::string part = exportNamePart(rec.Folder);
    FUZZ_CHECK(part.find_first_of(std::string_view("/\\\0", 3)) == std::string::npos);

    const ExportName checked = checkExportName(typed);
    FUZZ_CHECK((checked.check == NameCheck::Ok) == safeName(checked.name));
    const ExportMessage message = exportNameMessage(checked);
    FUZZ_CHECK(message.title.empty() == (checked.check == NameCheck::Ok));
    return 0;
}
