#include "FolderItem.h"

#include "TextInputStream.h"
#include "TextOutputStream.h"

#include "runtime/RuntimeClasses.h"

#include "os/PreferencesFolder.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cl {

namespace {

bool IsPlainFileName(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos
        && name.find('\0') == std::string_view::npos;
}

} // namespace

rt::ClassRecord& FolderItem::Lookup()
{
    // Items are only made from paths, never from the class record alone.
    static rt::ClassRecord& record = rt::DefineRuntimeClass("FolderItem", nullptr, nullptr);
    return record;
}

rt::Ref<FolderItem> FolderItem::Create(std::filesystem::path path)
{
    return rt::makeRef<FolderItem>(Lookup(), std::move(path));
}

rt::String FolderItem::URLPath() const
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char c : m_path.string()) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 0xF];
        }
    }
    return rt::String(std::move(url));
}

bool FolderItem::Exists() const
{
    std::error_code error;
    return std::filesystem::exists(m_path, error);
}

rt::RefPtr<FolderItem> FolderItem::Child(const rt::String& name) const
{
    if (!IsPlainFileName(name.view()))
        return nullptr;
    return Create(m_path / std::string(name.view()));
}

rt::RefPtr<TextInputStream> FolderItem::OpenAsTextFile()
{
    // Without O_NONBLOCK, opening a fifo waits for a writer that may never come;
    // on a regular file the flag changes nothing.
    const int descriptor = ::open(m_path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        LastErrorCode = errno;
        return nullptr;
    }
    struct stat status { };
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        LastErrorCode = S_ISDIR(status.st_mode) ? EISDIR : EINVAL;
        ::close(descriptor);
        return nullptr;
    }
    LastErrorCode = 0;
    return TextInputStream::Create(descriptor);
}

rt::RefPtr<TextOutputStream> FolderItem::CreateTextFile()
{
    return TextOutputStream::CreateReplacing(m_path, TextOutputStream::Placement::AtClose, LastErrorCode);
}

namespace SpecialFolder {

rt::RefPtr<FolderItem> Preferences()
{
    auto folder = os::UserPreferencesFolder();
    if (!folder)
        return nullptr;
    return FolderItem::Create(*folder);
}

} // namespace SpecialFolder

} // namespace cl
