#include "logic/export_names.h"

#include <cerrno>
#include <cstring>

#include "logic/text.h"

std::string sequenceNumber(size_t n)
{
    std::string digits = std::to_string(n);
    if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
    return digits;
}

std::string exportNamePart(std::string_view field)
{
    std::string part = qtext::trimmed(field);
    for (char& c : part)
        if (c == '/' || c == '\\' || c == '\0') c = '_';
    return part;
}

std::string exportedFileName(size_t n, const TrackRecord& rec)
{
    return sequenceNumber(n) + "_" + exportNamePart(rec.Folder) + "_" + exportNamePart(rec.Mp3Name) + ".mp3";
}

std::string indexLine(std::string_view fileName, std::string_view playlistLine)
{
    return std::string(fileName) + "  " + std::string(playlistLine) + "\r\n";
}

std::string indexNotes(std::string_view notes)
{
    return std::string(notes) + "\r\n\r\n";
}

ExportName checkExportName(std::string_view typed)
{
    ExportName result;
    result.name = qtext::trimmed(typed);
    // A NUL would end the name early wherever the system takes it, leaving the parent folder.
    const size_t separator = result.name.find_first_of(std::string_view("/\\\0", 3));
    if (result.name.empty()) {
        result.check = NameCheck::Empty;
    } else if (separator != std::string::npos) {
        result.check = NameCheck::Separator;
        result.separator = result.name[separator];
    } else if (result.name == "." || result.name == "..") {
        result.check = NameCheck::DotName;
    }
    return result;
}

bool isMp3Name(std::string_view fileName)
{
    if (fileName.size() < 4) return false;
    const std::string_view ext = fileName.substr(fileName.size() - 4);
    static constexpr std::string_view kExt = ".mp3";
    for (size_t i = 0; i < 4; ++i) {
        const char c = ext[i] >= 'A' && ext[i] <= 'Z' ? char(ext[i] + ('a' - 'A')) : ext[i];
        if (c != kExt[i]) return false;
    }
    return true;
}

OsFailure osFailure(int err)
{
    return {err == 0 ? FileError::Other : fromErrno(err), err};
}

ExportFailure classifyExportFailure(FileError kind, bool reading)
{
    switch (kind) {
    case FileError::NotFound: return ExportFailure::FileError;
    case FileError::NotRegular: return reading ? ExportFailure::FileError : ExportFailure::Unexpected;
    case FileError::NoMedium: return ExportFailure::DiskError;
    case FileError::AccessDenied: return reading ? ExportFailure::FileError : ExportFailure::CannotWrite;
    case FileError::PathNotFound: return reading ? ExportFailure::FileError : ExportFailure::PathNotFound;
    default: return ExportFailure::Unexpected;
    }
}

namespace {

std::string unexpectedPrompt(const OsFailure& failure)
{
    // The system's own words when a call failed; otherwise the kind's.
    const std::string description = failure.err != 0 ? std::string(std::strerror(failure.err))
                                                     : std::string(failureText(failure.kind));
    return "Error:" + std::to_string(errorNumber(failure.kind)) + " " + description
           + "\rSorry, an unexpected error has occurred during this export."
             "\rPlease close and restart Quillon Player and try again."
             "\rIf the error occurs again try restarting Windows."
             "\rIf that doesn't help contact Velloran giving full details!";
}

}  // namespace

ExportMessage exportFailureMessage(const OsFailure& failure, bool reading, std::string_view sourceFolder)
{
    switch (classifyExportFailure(failure.kind, reading)) {
    case ExportFailure::FileError:
        return {"File Error",
                "A file error has occured.\rPlease check that all files required for the export are available and "
                "try again.\rThe error occured with a file in:\r"
                    + std::string(sourceFolder),
                false, true};
    case ExportFailure::DiskError: return {"Disk Error", "Error copying file.No disk in drive", false, false};
    case ExportFailure::CannotWrite:
        return {"Error",
                "Unable to write to selected folder.\rHave you selected a CD, DVD or other read only drive?\r"
                "Choose another folder for export",
                true, false};
    case ExportFailure::PathNotFound:
        return {"Error", "Path for Export not found.\rChoose another folder for export", true, false};
    case ExportFailure::Unexpected: break;
    }
    return {"Unexpected Error", unexpectedPrompt(failure), false, true};
}

ExportMessage exportNameMessage(const ExportName& name)
{
    switch (name.check) {
    case NameCheck::Empty: return {"No Export name", "Please type a name for the Export", true, false};
    case NameCheck::Separator:
        return {"No Export name",
                std::string("The Export name cannot hold the character \"") + name.separator
                    + "\".\rPlease type another name for the Export",
                false, false};
    case NameCheck::DotName:
        return {"No Export name",
                "The Export name cannot be \"" + name.name + "\".\rPlease type another name for the Export", false,
                false};
    case NameCheck::Ok: break;
    }
    return {};
}
