#pragma once

#include "TextOutputStream.h"

#include "runtime/Ref.h"

#include <filesystem>
#include <vector>

namespace cl {

class FolderItem;

// Replaces several files close together: every new file is written and
// flushed first, and only Commit puts them in place, one after another, each
// on its own as a closed TextOutputStream would. A crash before Commit keeps
// every old file; a crash during it mixes old and new files only within the
// few renames it was doing. Files not committed are removed with this object.
class StagedReplacements {
public:
    StagedReplacements() = default;
    StagedReplacements(const StagedReplacements&) = delete;
    StagedReplacements& operator=(const StagedReplacements&) = delete;

    // A stream on a new, empty file that takes the item's place at Commit;
    // nil, with the reason in the item's LastErrorCode, when it can't be made.
    // Stage at most one replacement of a file at a time.
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
    std::vector<rt::Ref<TextOutputStream>> m_streams;
};

} // namespace cl
