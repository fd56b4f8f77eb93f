#include "TextInputStream.h"

#include "runtime/Exceptions.h"
#include "runtime/RuntimeClasses.h"

#include <algorithm>
#include <cerrno>
#include <limits>
#include <unistd.h>

namespace cl {

rt::ClassRecord& TextInputStream::Lookup()
{
    static rt::ClassRecord& record = rt::DefineRuntimeClass("TextInputStream", nullptr, nullptr);
    return record;
}

rt::Ref<TextInputStream> TextInputStream::Create(int descriptor)
{
    return rt::makeRef<TextInputStream>(Lookup(), descriptor);
}

TextInputStream::~TextInputStream()
{
    Close();
}

rt::String TextInputStream::ReadAll(const rt::Object*)
{
    return rt::String(readUpTo(std::numeric_limits<std::size_t>::max()));
}

rt::String TextInputStream::Read(std::size_t count, const rt::Object*)
{
    return rt::String(readUpTo(count));
}

std::string TextInputStream::readUpTo(std::size_t limit)
{
    std::string text;
    if (m_descriptor < 0) {
        LastErrorCode = EBADF;
    } else {
        LastErrorCode = 0;
        char buffer[4096];
        while (text.size() < limit) {
            const ssize_t count = ::read(m_descriptor, buffer, std::min(sizeof buffer, limit - text.size()));
            if (count > 0) {
                text.append(buffer, static_cast<std::size_t>(count));
            } else if (count == 0) {
                break;
            } else if (errno != EINTR) {
                LastErrorCode = errno;
                break;
            }
        }
    }
    if (UseIOExceptions && LastErrorCode != 0)
        rt::Raise<rt::IOException>("the file could not be read", LastErrorCode);
    return text;
}

void TextInputStream::Close()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
    m_descriptor = -1;
}

} // namespace cl
