#include "TextOutputStream.h"

#include "DiskSync.h"

#include "runtime/Exceptions.h"
#include "runtime/RuntimeClasses.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace cl {

namespace {

constexpr std::string_view kUniqueTail = "XXXXXX";

std::string TemporaryNamePrefix(const std::filesystem::path& target)
{
    return "." + target.filename().string() + ".quillmere-partial-";
}

// The names CreateUniqueFile makes for the target: the prefix, then six
// letters or digits.
bool IsTemporaryOf(std::string_view name, std::string_view prefix)
{
    if (name.size() != prefix.size() + kUniqueTail.size() || !name.starts_with(prefix))
        return false;
    const auto tail = name.substr(prefix.size());
    return std::all_of(tail.begin(), tail.end(), [](unsigned char c) { return std::isalnum(c); });
}

// Makes a new file named `prefix` and six letters or digits, as mkostemp
// would, but with the mode any program's new file gets: 0666 less the
// umask (or as the folder's default ACL says), applied by the kernel. The
// umask can't be read without setting it, which other threads would see.
int CreateUniqueFile(const std::string& prefix, std::string& name)
{
    constexpr std::string_view letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    std::uniform_int_distribution<std::size_t> pick(0, letters.size() - 1);
    constexpr int attempts = 100;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        name = prefix;
        for (std::size_t letter = 0; letter < kUniqueTail.size(); ++letter)
            name += letters[pick(random)];
        const int descriptor = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0 || errno != EEXIST)
            return descriptor;
    }
    return -1;
}

} // namespace

// A process killed between making its new file and renaming it leaves the
// new file behind; nothing else would ever remove it.
void TextOutputStream::RemoveLeftoversOf(const std::filesystem::path& target)
{
    const std::string prefix = TemporaryNamePrefix(target);
    const auto folder = target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        if (!IsTemporaryOf(entry->path().filename().native(), prefix))
            continue;
        std::error_code ignored;
        const auto type = entry->symlink_status(ignored).type();
        if (type == std::filesystem::file_type::regular || type == std::filesystem::file_type::symlink)
            ::unlink(entry->path().c_str());
    }
}

namespace {

// Makes the rename itself durable, so a crash can't bring the old file back.
void SyncFolder(const std::filesystem::path& folder)
{
    const int descriptor = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        SyncToDisk(descriptor);
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
    std::filesystem::path temporary, int descriptor, Placement placement)
    : rt::Object(record)
    , m_target(std::move(target))
    , m_temporary(std::move(temporary))
    , m_descriptor(descriptor)
    , m_placement(placement)
{
}

TextOutputStream::~TextOutputStream()
{
    // A stream dropped before its file took the target's place leaves the old
    // file as it was.
    discard();
}

rt::RefPtr<TextOutputStream> TextOutputStream::CreateReplacing(
    const std::filesystem::path& target, Placement placement, std::int32_t& error)
{
    // A new file gets the mode the user's umask gives; a replaced one keeps
    // its own, except that its owner can always read and write it: a file
    // the program can't read back would lose what it keeps.
    struct stat existing { };
    const bool replacing = ::stat(target.c_str(), &existing) == 0;
    if (replacing && S_ISDIR(existing.st_mode)) {
        error = EISDIR;
        return nullptr;
    }
    std::string name;
    const int descriptor = CreateUniqueFile((target.parent_path() / TemporaryNamePrefix(target)).string(), name);
    if (descriptor < 0) {
        error = errno;
        return nullptr;
    }
    if (replacing)
        ::fchmod(descriptor, (existing.st_mode & 07777) | S_IRUSR | S_IWUSR);
    error = 0;
    return rt::makeRef<TextOutputStream>(Lookup(), target, std::filesystem::path(name), descriptor, placement);
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
    if (LastErrorCode == 0)
        LastErrorCode = SyncToDisk(m_descriptor);
    if (::close(m_descriptor) != 0 && LastErrorCode == 0)
        LastErrorCode = errno;
    m_descriptor = -1;
    if (LastErrorCode == 0 && m_placement == Placement::AtClose)
        putInPlace();
    if (LastErrorCode != 0) {
        discard();
        if (UseIOExceptions)
            rt::Raise<rt::IOException>("the file could not be written", LastErrorCode);
    }
}

bool TextOutputStream::putInPlace()
{
    if (std::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        LastErrorCode = errno;
        discard();
        return false;
    }
    m_temporary.clear();
    SyncFolder(m_target.parent_path());
    return true;
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
