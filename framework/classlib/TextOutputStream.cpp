#include "TextOutputStream.h"

#include "runtime/Exceptions.h"
#include "runtime/RuntimeClasses.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cl {

namespace {

// Makes the rename itself durable, so a crash can't bring the old file back.
void SyncFolder(const std::filesystem::path& folder)
{
    const int descriptor = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

} // namespace

rt::ClassRecord& TextOutputStream::Lookup()
{
    static rt::ClassRecord& record = rt::DefineRuntimeClass("TextOutputStream", nullptr, nullptr);
    return record;
}

TextOutputStream::TextOutputStream(rt::ClassRecord& record, std::filesystem::path target,
    std::filesystem::path temporary, int descriptor)
    : rt::Object(record)
    , m_target(std::move(target))
    , m_temporary(std::move(temporary))
    , m_descriptor(descriptor)
{
}

TextOutputStream::~TextOutputStream()
{
    // A stream dropped without Close leaves the old file as it was.
    discard();
}

rt::RefPtr<TextOutputStream> TextOutputStream::CreateReplacing(const std::filesystem::path& target)
{
    std::error_code error;
    if (std::filesystem::is_directory(target, error))
        return nullptr;
    std::string pattern = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    const int descriptor = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (descriptor < 0)
        return nullptr;
    // A new file gets the usual permissions; a replaced one keeps its own.
    struct stat existing {};
    const mode_t mode = ::stat(target.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : 0644;
    ::fchmod(descriptor, mode);
    return rt::makeRef<TextOutputStream>(Lookup(), target, std::filesystem::path(pattern), descriptor);
}

void TextOutputStream::Write(const rt::String& text)
{
    if (m_descriptor < 0) {
        fail(EBADF);
        return;
    }
    auto bytes = text.view();
    while (!bytes.empty()) {
        const ssize_t written = ::write(m_descriptor, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
            return;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void TextOutputStream::Close()
{
    if (m_descriptor < 0)
        return;
    if (LastErrorCode == 0 && ::fsync(m_descriptor) != 0)
        LastErrorCode = errno;
    if (::close(m_descriptor) != 0 && LastErrorCode == 0)
        LastErrorCode = errno;
    m_descriptor = -1;
    if (LastErrorCode == 0 && std::rename(m_temporary.c_str(), m_target.c_str()) != 0)
        LastErrorCode = errno;
    if (LastErrorCode != 0) {
        discard();
        if (UseIOExceptions)
            rt::Raise<rt::IOException>("the file could not be written", LastErrorCode);
        return;
    }
    m_temporary.clear();
    SyncFolder(m_target.parent_path());
}

void TextOutputStream::fail(int error)
{
    if (LastErrorCode == 0)
        LastErrorCode = error;
    if (UseIOExceptions)
        rt::Raise<rt::IOException>("the file could not be written", LastErrorCode);
}

void TextOutputStream::discard()
{
    if (m_descriptor >= 0) {
        ::close(m_descriptor);
        m_descriptor = -1;
    }
    if (!m_temporary.empty()) {
        ::unlink(m_temporary.c_str());
        m_temporary.clear();
    }
}

} // namespace cl
