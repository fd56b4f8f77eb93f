#pragma once

#include "TextOutputStream.h"

#include "runtime/Ref.h"

#include "os/FolderLock.h"

#include <filesystem>
#include <optional>
#include <vector>

namespace cl {

class FolderItem;

// Replaces several files close together: every new file is written and
// flushed first, and only Commit puts them in place, one after another, each
// on its own as a closed TextOutputStream would. A crash before Commit keeps
// every old file; a crash during it mixes old and new files only within the
// few renames it was doing. Files not committed are removed with this object.
//
// Another process may replace the same files at the same moment (a second copy
// of the program closing, say). The first file staged takes the lock on its
// folder, held until Commit has put the last file in place, so one process's
// files are all in place before the other's start: the later one's win whole.
// Stage files of one folder only; those of another are not ordered.
class StagedReplacements {
public:
    StagedReplacements() = default;
    StagedReplacements(const StagedReplacements&) = delete;
    StagedReplacements& operator=(const StagedReplacements&) = delete;

    // A stream on a new, empty file that takes the item's place at Commit;
    // nil, with the reason in the item's LastErrorCode, when it can't be made.
    // What a replacement of the same file left behind when its process died
    // is removed first. Stage at most one replacement of a file at a time.
    rt::RefPtr<TextOutputStream> CreateTextFile(FolderItem& item);

    struct Failure {
        std::filesystem::path target;
        int error;
    };

    // Puts in place, in the order they were made, the files whose streams were
    // closed after every write succeeded; the others are dropped, as their
    // streams already told. Gives the files that could not be put in place.
    std::vector<Failure> Commit();

private:
    // Declared first, so it is released only after the files not committed
    // are removed.
    std::optional<os::FolderLock> m_lock;
    // The folder of the first file staged, whose lock was tried for.
    std::optional<std::filesystem::path> m_lockedFolder;
    std::vector<rt::Ref<TextOutputStream>> m_streams;
};

} // namespace cl
