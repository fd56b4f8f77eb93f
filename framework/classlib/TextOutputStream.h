#pragma once

#include "runtime/ClassRecord.h"
#include "runtime/Object.h"

#include <filesystem>

namespace cl {

// Writes a file's text so that the file is never left half-written: the text
// goes to a new file beside the target, and Close puts it in the target's
// place only when every write and the flush to disk succeeded. Otherwise the
// new file is removed and the old one stays.
class TextOutputStream final : public rt::Object {
public:
    TextOutputStream(rt::ClassRecord& record, std::filesystem::path target, std::filesystem::path temporary, int descriptor);
    ~TextOutputStream() override;

    static rt::ClassRecord& Lookup();
    static rt::RefPtr<TextOutputStream> CreateReplacing(const std::filesystem::path& target);

    void Write(const rt::String& text); // no line end is added
    void Close();

    bool UseIOExceptions = false;
    std::int32_t LastErrorCode = 0;

private:
    void fail(int error);
    void discard();

    std::filesystem::path m_target;
    std::filesystem::path m_temporary;
    int m_descriptor;
};

} // namespace cl
