#pragma once

#include "runtime/ClassRecord.h"
#include "runtime/Object.h"

#include <filesystem>

namespace cl {

class TextInputStream;
class TextOutputStream;

// A file or folder by its path; the item exists whether or not the file does.
class FolderItem final : public rt::Object {
public:
    FolderItem(rt::ClassRecord& record, std::filesystem::path path) : rt::Object(record), m_path(std::move(path)) { }

    static rt::ClassRecord& Lookup();
    static rt::Ref<FolderItem> Create(std::filesystem::path);

    const std::filesystem::path& path() const { return m_path; }
    rt::String URLPath() const; // a file: URL, percent-encoded

    bool Exists() const;

    // The item of that name directly inside this folder, also when no such file
    // exists; nil for a name that would leave the folder ("..", "a/b", empty).
    rt::RefPtr<FolderItem> Child(const rt::String& name) const;

    // A stream on the file's text; nil when it is missing, can't be read or is
    // no regular file (a fifo, a device, a folder), whose reads could block or
    // never end.
    rt::RefPtr<TextInputStream> OpenAsTextFile();

    // A stream on a new, empty file that takes this file's place when the stream
    // is closed after every write succeeded; nil when it can't be made.
    rt::RefPtr<TextOutputStream> CreateTextFile();

    // The error number of the last open or create that failed, 0 after one
    // that succeeded.
    std::int32_t LastErrorCode = 0;

private:
    std::filesystem::path m_path;
};

// The user's folders that the framework knows by purpose.
namespace SpecialFolder {
rt::RefPtr<FolderItem> Preferences();
}

} // namespace cl
