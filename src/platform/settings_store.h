#pragma once
// Per-user named text values addressed by (application, section, key). Keys and sections
// compare without regard to case: a value written as "Mainleft" is found as "MainLeft".

#include <map>
#include <string>

namespace velmora {

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    [[nodiscard]] virtual std::string read(const std::string& app, const std::string& section,
                                           const std::string& key,
                                           const std::string& defaultValue) const = 0;
    virtual void write(const std::string& app, const std::string& section, const std::string& key,
                       const std::string& value) = 0;
    virtual void remove(const std::string& app, const std::string& section,
                        const std::string& key) = 0;
};

/// Holds values in memory only (tests, and the recorder, which must never touch the
/// user's settings).
class MemorySettingsStore final : public SettingsStore {
  public:
    std::string read(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& defaultValue) const override;
    void write(const std::string& app, const std::string& section, const std::string& key,
               const std::string& value) override;
    void remove(const std::string& app, const std::string& section,
                const std::string& key) override;

  private:
    static std::string address(const std::string& app, const std::string& section,
                               const std::string& key);
    std::map<std::string, std::string> m_values;
};

} // namespace velmora
