#include "unit/TemporaryConfigHome.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
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

std::string TemporaryConfigHome::read(const std::string& name) const
{
    std::ifstream file(m_path / name, std::ios::binary);
    std::ostringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

void TemporaryConfigHome::write(const std::string& name, const std::string& contents) const
{
    std::ofstream(m_path / name, std::ios::binary) << contents;
}

} // namespace testing_support
