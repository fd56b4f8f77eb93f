#pragma once

#include "runtime/ClassRecord.h"
#include "runtime/Object.h"

namespace cl {

// Reads a file's text. Errors are kept in LastErrorCode and raise IOException
// only when UseIOExceptions is on.
class TextInputStream final : public rt::Object {
public:
    TextInputStream(rt::ClassRecord& record, int descriptor) : rt::Object(record), m_descriptor(descriptor) { }
    ~TextInputStream() override;

    static rt::ClassRecord& Lookup();
    static rt::Ref<TextInputStream> Create(int descriptor);

    // The rest of the file, as bytes; `encoding` nil takes them as UTF-8.
    rt::String ReadAll(const rt::Object* encoding = nullptr);
    // At most `count` bytes of the rest; fewer only at the end of the file.
    rt::String Read(std::size_t count, const rt::Object* encoding = nullptr);
    void Close();

    bool UseIOExceptions = false;
    std::int32_t LastErrorCode = 0;

private:
    std::string readUpTo(std::size_t limit);

    int m_descriptor;
};

} // namespace cl
