#include "tools/text_tokens.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace data_check {

namespace {
bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
}  // namespace

ReadResult read_tokens(const std::string& path, std::vector<Token>& out, size_t max_bytes) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return ReadResult::Missing;
    if (!S_ISREG(st.st_mode)) return ReadResult::NotAFile;
    std::ifstream in(path, std::ios::binary);
    if (!in) return ReadResult::Missing;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) return ReadResult::Missing;
    if (static_cast<unsigned long long>(size) > max_bytes) return ReadResult::TooLarge;
    in.seekg(0);
    std::string text(static_cast<size_t>(size), '\0');
    in.read(text.data(), size);
    text.resize(static_cast<size_t>(std::max<std::streamsize>(in.gcount(), 0)));

    int line = 1;
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
    return ReadResult::Ok;
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
