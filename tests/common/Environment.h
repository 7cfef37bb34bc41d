#pragma once

// Sets (or, with no value, removes) an environment variable for the lifetime
// of the object, and puts the old value back.

#include <cstdlib>
#include <optional>
#include <string>

class Environment {
public:
    Environment(const char* name, const std::optional<std::string>& value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_old = old;
        Set(value);
    }
    ~Environment() { Set(m_old); }
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;

private:
    void Set(const std::optional<std::string>& value) {
        if (value)
            ::setenv(m_name, value->c_str(), 1);
        else
            ::unsetenv(m_name);
    }
    const char* m_name;
    std::optional<std::string> m_old;
};
