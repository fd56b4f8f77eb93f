#pragma once

#include <filesystem>
#include <string>

namespace testing_support {

// A private preferences folder for one test, removed afterwards.
class TemporaryConfigHome {
public:
    TemporaryConfigHome();
    ~TemporaryConfigHome();
    const std::filesystem::path& path() const { return m_path; }
    std::string read(const std::string& name) const;
    void write(const std::string& name, const std::string& contents) const;
    bool exists(const std::string& name) const { return std::filesystem::exists(m_path / name); }

private:
    std::filesystem::path m_path;
    std::string m_previous;
    bool m_hadPrevious = false;
};

} // namespace testing_support
