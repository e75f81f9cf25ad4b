#include "context/ini_document.h"

#include "util/ascii.h"
#include "util/cp932.h"
#include "util/text.h"

namespace omrix::context {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// A line read from a Windows file may keep its carriage return.
constexpr std::string_view kLineBlanks = " \t\r";

std::string_view trim(std::string_view text) {
    return util::trimBlanks(text, kLineBlanks);
}

bool holdsLineBreak(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// A name that would read back as something else is refused rather than written.
bool isWritableName(std::string_view name) {
    return !name.empty() && !holdsLineBreak(name) && name.front() != ';' && name.front() != '#' &&
           name.front() != '[';
}

}  // namespace

IniDocument::IniDocument(std::string bytes) : cp932_(!util::isValidUtf8(bytes)) {
    size_t start = 0;
    while (start < bytes.size()) {
        size_t lf = bytes.find('\n', start);
        size_t end = lf == std::string::npos ? bytes.size() : lf;
        size_t next = lf == std::string::npos ? bytes.size() : lf + 1;
        std::string ending = bytes.substr(end, next - end);
        if (!ending.empty() && end > start && bytes[end - 1] == '\r') {
            --end;
            ending = "\r\n";
        }
        if (newline_.empty()) newline_ = ending;
        lines_.push_back(parseLine(bytes.substr(start, end - start), ending, start == 0));
        start = next;
    }
    // Files from the Windows side get its line ending; our own files get the local one.
    if (newline_.empty()) newline_ = cp932_ ? "\r\n" : "\n";
}

IniDocument::Line IniDocument::parseLine(std::string raw, std::string ending, bool first) const {
    Line line;
    line.raw = std::move(raw);
    line.ending = std::move(ending);
    std::string text = cp932_ ? util::cp932ToUtf8(line.raw) : line.raw;
    std::string_view view = text;
    if (first && !cp932_ && view.starts_with(kBom)) view.remove_prefix(kBom.size());
    view = trim(view);
    if (view.empty() || view.front() == ';' || view.front() == '#') return line;
    if (view.front() == '[') {
        size_t close = view.rfind(']');
        if (close != std::string_view::npos) {
            line.kind = Kind::Section;
            line.name = trim(view.substr(1, close - 1));
        }
        return line;
    }
    size_t equals = view.find('=');
    if (equals == std::string_view::npos) return line;
    std::string_view name = trim(view.substr(0, equals));
    if (name.empty()) return line;
    line.kind = Kind::Key;
    line.name = name;
    // As on Windows, only a whole line is a comment: a ';' in a value belongs to it.
    line.value = trim(view.substr(equals + 1));
    return line;
}

std::string IniDocument::encode(std::string_view utf8) const {
    return cp932_ ? util::utf8ToCp932(utf8) : std::string(utf8);
}

std::optional<size_t> IniDocument::findSection(std::string_view section) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == Kind::Section &&
            util::equalsIgnoringAsciiCase(lines_[i].name, section))
            return i;
    }
    return std::nullopt;
}

// Only the first section of a name is searched, as the system reader does.
std::optional<size_t> IniDocument::findKey(size_t sectionLine, std::string_view key) const {
    for (size_t i = sectionLine + 1; i < lines_.size() && lines_[i].kind != Kind::Section; ++i) {
        if (lines_[i].kind == Kind::Key && util::equalsIgnoringAsciiCase(lines_[i].name, key))
            return i;
    }
    return std::nullopt;
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    auto sectionLine = findSection(trim(section));
    if (!sectionLine) return std::nullopt;
    auto keyLine = findKey(*sectionLine, trim(key));
    if (!keyLine) return std::nullopt;
    // As Windows reads it: a value in double quotes without them.
    const std::string& text = lines_[*keyLine].value;
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

void IniDocument::insertLine(size_t at, std::string_view utf8) {
    std::string ending = newline_;
    // A last line without an ending keeps the file's shape: the new last line goes without one.
    if (at > 0 && lines_[at - 1].ending.empty()) {
        lines_[at - 1].ending = newline_;
        ending.clear();
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at),
                  parseLine(encode(utf8), ending, at == 0));
}

bool IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
    section = trim(section);
    key = trim(key);
    if (!isWritableName(section) || section.find(']') != std::string_view::npos ||
        !isWritableName(key) || key.find('=') != std::string_view::npos || holdsLineBreak(value) ||
        !util::isValidUtf8(section) || !util::isValidUtf8(key) || !util::isValidUtf8(value)) {
        return false;
    }
    auto sectionLine = findSection(section);
    if (!sectionLine) {
        insertLine(lines_.size(), "[" + std::string(section) + "]");
        insertLine(lines_.size(), std::string(key) + "=" + std::string(value));
        return true;
    }
    if (auto keyLine = findKey(*sectionLine, key)) {
        // The key and the blanks after '=' stay as written; '=', blank and tab are
        // never CP932 trail bytes, so the bytes can be searched directly.
        Line& line = lines_[*keyLine];
        size_t equals = line.raw.find('=');
        size_t valueStart = line.raw.find_first_not_of(" \t", equals + 1);
        if (valueStart == std::string::npos) valueStart = equals + 1;
        std::string raw = line.raw.substr(0, valueStart) + encode(value);
        line = parseLine(std::move(raw), std::move(line.ending), *keyLine == 0);
        return true;
    }
    // After the section's last key, so that its trailing blank lines and the comments
    // heading the next section stay where they are.
    size_t at = *sectionLine + 1;
    for (size_t i = at; i < lines_.size() && lines_[i].kind != Kind::Section; ++i) {
        if (lines_[i].kind == Kind::Key) at = i + 1;
    }
    insertLine(at, std::string(key) + "=" + std::string(value));
    return true;
}

std::string IniDocument::bytes() const {
    std::string out;
    for (const Line& line : lines_) {
        out += line.raw;
        out += line.ending;
    }
    return out;
}

}  // namespace omrix::context
