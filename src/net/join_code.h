// The join code: a short word the host makes (or takes from --code) and the
// guest must give before the host says anything about itself. Made from the
// system's random source, in letters and digits that cannot be misread when
// read out (no 0, O, 1 or I). Also the host's count of wrong codes by
// address, so guessing is cut off after a handful.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>

namespace net {

constexpr size_t kJoinCodeSymbols = 8;  // 5 bits each: 40 bits
constexpr const char* kJoinCodeAlphabet = "23456789ABCDEFGHJKLMNPQRSTUVWXYZ";
// "--code none": the host takes any guest.
constexpr const char* kNoJoinCode = "none";

// A new code, "XXXX-XXXX". Empty when the system gives no random bytes.
std::string make_join_code();

// Whether `word` may be given as a code: 1 to kMaxCodeBytes letters, digits,
// '-' or '_' (or "none").
bool valid_join_code(const std::string& word);

// What is compared: the letters upper-cased, '-', '_' and spaces left out, so
// "k7qm-4txr" and "K7QM 4TXR" are the same code.
std::string normalized_join_code(const std::string& word);

// Whether the guest's `given` code opens a host whose code is `expected`
// (empty: any guest). Takes as long whatever the first difference.
bool join_code_matches(const std::string& expected, const std::string& given);

// Wrong codes counted by IPv4 address. After kMaxWrongCodes an address is
// ignored for the rest of the wait. The table is bounded: when it is full,
// addresses still below the limit are forgotten first.
class WrongCodes {
public:
    static constexpr int kMaxWrongCodes = 5;
    static constexpr size_t kMaxAddresses = 1024;

    // Counts one wrong code from `address`; true once the address is to be ignored.
    bool count(uint32_t address);
    bool ignored(uint32_t address) const;
    size_t size() const { return counts_.size(); }

private:
    std::unordered_map<uint32_t, int> counts_;
};

}  // namespace net
