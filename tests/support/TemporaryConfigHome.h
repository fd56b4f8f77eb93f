#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

// Environment variables put back as they were, or unset again, when it goes.
class SavedEnvironment {
public:
    explicit SavedEnvironment(std::initializer_list<const char*> names)
    {
        for (const char* name : names) {
            const char* value = std::getenv(name);
            m_saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
        }
    }
    ~SavedEnvironment()
    {
        for (const auto& [name, value] : m_saved)
            value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
    }
    SavedEnvironment(const SavedEnvironment&) = delete;
    SavedEnvironment& operator=(const SavedEnvironment&) = delete;

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

// A private preferences folder for one test, removed afterwards.
class TemporaryConfigHome {
public:
    TemporaryConfigHome();
    ~TemporaryConfigHome();
    const std::filesystem::path& path() const { return m_path; }
    std::string read(const std::string& name) const
    {
        std::ostringstream contents;
        contents << std::ifstream(m_path / name, std::ios::binary).rdbuf();
        return contents.str();
    }
    void write(const std::string& name, const std::string& contents) const
    {
        std::ofstream(m_path / name, std::ios::binary) << contents;
    }
    std::ptrdiff_t entryCount() const { return std::distance(std::filesystem::directory_iterator(m_path), {}); }

private:
    SavedEnvironment m_savedConfigHome { "XDG_CONFIG_HOME" };
    std::filesystem::path m_path;
};

} // namespace testing_support
