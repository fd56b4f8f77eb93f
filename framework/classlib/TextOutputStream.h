#pragma once

#include "runtime/ClassRecord.h"
#include "runtime/Object.h"

#include <filesystem>

namespace cl {

class StagedReplacements;

// Writes a file's text so that the file is never left half-written: the text
// goes to a new file beside the target, named
// ".<target name>.quillmere-partial-XXXXXX" (a name no user file is likely to
// have), and is flushed to disk when the stream is closed. Only a file whose
// every write and flush succeeded then takes the target's place, and the
// folder is synced so the new name survives a crash. Otherwise the new file
// is removed and the old one stays.
class TextOutputStream final : public rt::Object {
public:
    // When the new file takes the target's place: as the stream is closed, or
    // when the replacements it was staged with are committed.
    enum class Placement { AtClose, AtCommit };

    TextOutputStream(rt::ClassRecord& record, std::filesystem::path target, std::filesystem::path temporary,
        int descriptor, Placement placement);
    ~TextOutputStream() override;

    static rt::ClassRecord& Lookup();

    // Nil, with the error number in `error`, when no new file can be made.
    static rt::RefPtr<TextOutputStream> CreateReplacing(
        const std::filesystem::path& target, Placement, std::int32_t& error);

    void Write(const rt::String& text); // no line end is added
    void Close();

    const std::filesystem::path& target() const { return m_target; }

    bool UseIOExceptions = false;
    std::int32_t LastErrorCode = 0;

private:
    friend class StagedReplacements;

    // Removes the new files that replacements of `target` left behind when
    // their process died before putting them in place. Only for a caller that
    // holds the folder's lock: another process's live new file looks the same.
    static void RemoveLeftoversOf(const std::filesystem::path& target);

    // Closed after every write succeeded, and not yet in the target's place.
    bool readyToPutInPlace() const { return m_descriptor < 0 && !m_temporary.empty() && LastErrorCode == 0; }
    bool putInPlace();

    void fail(int error);
    void discard();

    std::filesystem::path m_target;
    std::filesystem::path m_temporary;
    int m_descriptor;
    Placement m_placement;
};

} // namespace cl
