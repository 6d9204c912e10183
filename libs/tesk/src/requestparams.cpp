#include "requestparams.h"

#include <tesk/errors.h>
#include <tesk/log.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace tesk {

namespace {

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return std::string();
    }
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

// A ";" or "#" after a blank starts a comment, so "width = 1280 ; note" reads 1280 while a
// URL such as "rtsp://host/#main" keeps its "#".
std::string withoutComment(const std::string& value)
{
    for (std::size_t i = 1; i < value.size(); ++i) {
        if ((value[i] == ';' || value[i] == '#') && (value[i - 1] == ' ' || value[i - 1] == '\t')) {
            return value.substr(0, i);
        }
    }
    return value;
}

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

} // namespace

int RequestParams::load(const std::string& path)
{
    clear();
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        log(LogLevel::Info, "request parameters " + path + " not found, defaults are used");
        return ErrorFileNotFound;
    }
    std::ostringstream content;
    content << file.rdbuf();
    parse(content.str(), path);
    if (m_badLines > 0 && m_values.empty()) {
        return ErrorFileFormat;
    }
    return Ok;
}

void RequestParams::clear()
{
    m_values.clear();
    m_badLines = 0;
}

void RequestParams::parse(const std::string& text, const std::string& origin)
{
    std::istringstream lines(text);
    std::string line;
    std::string section;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        line = trimmed(line);
        if (line.empty() || line[0] == ';' || line[0] == '#') {
            continue;
        }
        if (line.front() == '[') {
            if (line.back() == ']' && line.size() > 2) {
                section = lower(trimmed(line.substr(1, line.size() - 2)));
                continue;
            }
        } else if (const auto equals = line.find('='); equals != std::string::npos && equals > 0) {
            const std::string key = lower(trimmed(line.substr(0, equals)));
            if (!key.empty()) {
                m_values[section + "/" + key] = trimmed(withoutComment(line.substr(equals + 1)));
                continue;
            }
        }
        ++m_badLines;
        log(LogLevel::Warning, origin + ":" + std::to_string(number) + ": line ignored: " + line);
    }
}

std::optional<std::string> RequestParams::value(const std::string& section, const std::string& key) const
{
    const auto found = m_values.find(lower(section) + "/" + lower(key));
    if (found == m_values.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::optional<double> RequestParams::number(const std::string& section, const std::string& key) const
{
    const auto text = value(section, key);
    if (!text || text->empty()) {
        return std::nullopt;
    }
    char* end = nullptr;
    const double result = std::strtod(text->c_str(), &end);
    if (end == text->c_str() || *end != '\0') {
        log(LogLevel::Warning, "request parameter " + section + "/" + key + " is not a number: " + *text);
        return std::nullopt;
    }
    return result;
}

} // namespace tesk
