#include "support/TemporaryConfigHome.h"

#include <cstdlib>
#include <stdexcept>
#include <unistd.h>

namespace testing_support {

TemporaryConfigHome::TemporaryConfigHome()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "quillmere-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    m_path = pattern;
    setenv("XDG_CONFIG_HOME", m_path.c_str(), 1);
}

TemporaryConfigHome::~TemporaryConfigHome()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

} // namespace testing_support
