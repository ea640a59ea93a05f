#include "tools/text_fields.h"

#include <cstdio>

#include "util/ranged_int.h"

namespace data_check {

namespace {
// White space as formatted input knows it in the classic locale.
bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
}  // namespace

TextFile read_text(const std::string& path, size_t max_bytes) {
    TextFile result;
    file_read::InputFile in(path, file_read::kMaxLineBytes);
    if (!in.is_open()) {
        result.error = in.error();
        return result;
    }
    char chunk[1 << 16];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        const size_t got = static_cast<size_t>(in.gcount());
        if (result.text.size() + got > max_bytes) {
            result.text.append(chunk, max_bytes - result.text.size());
            result.too_large = true;
            break;
        }
        result.text.append(chunk, got);
    }
    if (in.line_too_long()) result.long_line = in.long_line();
    return result;
}

void FieldReader::skip_space() {
    for (; pos_ < text_.size() && is_space(text_[pos_]); ++pos_)
        if (text_[pos_] == '\n') ++line_;
    field_start_ = pos_;
    field_line_ = line_;
}

FieldReader::Number FieldReader::number(long long low, long long high, long long& out) {
    skip_space();
    if (pos_ == text_.size()) return Number::End;
    switch (ranged_int::scan(text_, pos_, low, high, out)) {
        case ranged_int::Scan::Ok: return Number::Ok;
        case ranged_int::Scan::OutOfRange: return Number::OutOfRange;
        default: return Number::NotANumber;
    }
}

bool FieldReader::word(std::string& out) {
    skip_space();
    if (pos_ == text_.size()) return false;
    const size_t start = pos_;
    while (pos_ < text_.size() && !is_space(text_[pos_])) ++pos_;
    out = text_.substr(start, pos_ - start);
    return true;
}

std::string FieldReader::field_text() const {
    size_t end = field_start_;
    while (end < text_.size() && !is_space(text_[end])) ++end;
    return text_.substr(field_start_, end - field_start_);
}

bool FieldReader::glued() const { return pos_ < text_.size() && !is_space(text_[pos_]); }

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
