#include "tools/text_tokens.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace data_check {

namespace {
bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
}  // namespace

void split_tokens(const std::string& text, int first_line, std::vector<Token>& out) {
    int line = first_line;
    size_t i = 0;
    while (i < text.size()) {
        if (is_space(text[i])) {
            if (text[i] == '\n') ++line;
            ++i;
            continue;
        }
        const size_t start = i;
        while (i < text.size() && !is_space(text[i])) ++i;
        out.push_back({text.substr(start, i - start), line});
    }
}

TextTokens read_tokens(const std::string& path, size_t max_bytes) {
    TextTokens result;
    file_read::InputFile in(path, file_read::kMaxLineBytes);
    if (!in.is_open()) {
        result.error = in.error();
        return result;
    }
    // Line by line, so memory follows the tokens rather than the file.
    std::string line;
    size_t bytes = 0;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        bytes += line.size() + 1;
        if (bytes > max_bytes) {
            result.too_large = true;
            break;
        }
        split_tokens(line, number, result.tokens);
    }
    if (in.line_too_long()) result.long_line = in.long_line();
    return result;
}

bool parse_int_token(const std::string& text, int& out, bool& out_of_range) {
    out_of_range = false;
    size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    if (i == text.size()) return false;
    for (size_t k = i; k < text.size(); ++k)
        if (text[k] < '0' || text[k] > '9') return false;
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno == ERANGE || v < -2147483648LL || v > 2147483647LL) {
        out_of_range = true;
        return false;
    }
    out = static_cast<int>(v);
    return true;
}

std::string printable(const std::string& text) {
    constexpr size_t kMax = 40;
    std::string out;
    for (size_t i = 0; i < text.size() && i < kMax; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    if (text.size() > kMax) out += "...";
    return out;
}

}  // namespace data_check
