#include "net/join_code.h"

#include <sys/random.h>

#include <cctype>
#include <cstring>

#include "net/message.h"

namespace net {

std::string make_join_code() {
    uint8_t bytes[kJoinCodeSymbols];
    size_t got = 0;
    while (got < sizeof bytes) {
        const ssize_t n = ::getrandom(bytes + got, sizeof bytes - got, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return {};
        got += static_cast<size_t>(n);
    }
    std::string code;
    for (size_t i = 0; i < kJoinCodeSymbols; ++i) {
        if (i == kJoinCodeSymbols / 2) code += '-';
        code += kJoinCodeAlphabet[bytes[i] & 31];  // 32 symbols: every value as likely
    }
    return code;
}

bool valid_join_code(const std::string& word) {
    if (word.empty() || word.size() > kMaxCodeBytes) return false;
    for (const char c : word)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_') return false;
    return !normalized_join_code(word).empty();
}

std::string normalized_join_code(const std::string& word) {
    std::string out;
    for (const char c : word) {
        if (c == '-' || c == '_' || c == ' ') continue;
        out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

bool join_code_matches(const std::string& expected, const std::string& given) {
    const std::string a = normalized_join_code(expected);
    if (a.empty()) return true;
    const std::string b = normalized_join_code(given);
    // Every byte of the longer is looked at, so the time says nothing of
    // how much of a guess was right.
    const size_t n = std::max(a.size(), b.size());
    unsigned difference = a.size() == b.size() ? 0 : 1;
    for (size_t i = 0; i < n; ++i) {
        const unsigned char x = i < a.size() ? static_cast<unsigned char>(a[i]) : 0;
        const unsigned char y = i < b.size() ? static_cast<unsigned char>(b[i]) : 0;
        difference |= static_cast<unsigned>(x ^ y);
    }
    return difference == 0;
}

bool WrongCodes::count(uint32_t address) {
    auto it = counts_.find(address);
    if (it == counts_.end()) {
        if (counts_.size() >= kMaxAddresses) {
            for (auto i = counts_.begin(); i != counts_.end();) i = i->second < kMaxWrongCodes ? counts_.erase(i) : std::next(i);
            if (counts_.size() >= kMaxAddresses) return true;  // a table full of ignored addresses: ignore this one too
        }
        it = counts_.emplace(address, 0).first;
    }
    if (it->second < kMaxWrongCodes) ++it->second;
    return it->second >= kMaxWrongCodes;
}

bool WrongCodes::ignored(uint32_t address) const {
    const auto it = counts_.find(address);
    return it != counts_.end() && it->second >= kMaxWrongCodes;
}

}  // namespace net
