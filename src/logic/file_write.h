#pragma once
// Replacing a file whole or not at all. The new content is written to a file of its own
// in the target's folder, without a name where the file system allows it, and takes the
// target's name in one step once it is whole and on the disk. Where a name is needed
// (the fallback, and the moment between linking and renaming) it is the target's name
// followed by ".tmp<process id>-<n>", and such names of processes that are gone are
// removed by the next write of that target, so a killed writer leaves nothing for long.
#include <string>
#include <string_view>

#include "logic/file_read.h"

class NewFile {
public:
    // Starts the file that is to replace target; removes the temporaries of target that
    // dead writers left unless sweep is false (a caller that sweeps the folder itself).
    explicit NewFile(const std::string& target, bool sweep = true);
    ~NewFile();  // a file not put in place is dropped
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    // The failure of starting the file; fd() is -1 then.
    FileError error() const { return error_; }
    int fd() const { return fd_; }

    // Syncs the file and puts it in target's place when failed is None; otherwise, or when
    // a step fails, drops it and leaves target as it was. Returns the first failure.
    FileError commit(FileError failed = FileError::None);

private:
    std::string target_;
    std::string named_;  // the temporary's name, when it has one from the start
    int fd_ = -1;
    FileError error_ = FileError::None;
};

// Removes from folder the temporaries of writers that are gone: those of the file called
// name, or of every file when name is empty. Folders and files of live processes stay.
void removeDeadTemporaries(const std::string& folder, std::string_view name = {});
