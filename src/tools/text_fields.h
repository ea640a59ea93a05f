// Reading the game's text data files exactly as the game does, with formatted
// stream input: a number is an optional sign and digits, and whatever follows
// them (white space or not) is left for the next field; a word runs up to
// white space. The line of each field is kept for the messages.
#pragma once

#include <cstddef>
#include <string>

#include "util/file_read.h"

namespace data_check {

struct TextFile {
    file_read::OpenError error = file_read::OpenError::None;  // not None: nothing was read
    std::string text;        // up to an over-long line
    long long_line = 0;      // the game stops before this line, longer than it reads
    bool too_large = false;  // more than the bytes asked for; the text is the start only
};

// The text of the file at `path`, read through the game's line cap, up to
// `max_bytes`.
TextFile read_text(const std::string& path, size_t max_bytes = size_t{64} << 20);

class FieldReader {
public:
    explicit FieldReader(const std::string& text) : text_(text) {}

    enum class Number { Ok, End, NotANumber, OutOfRange };
    // The next field as a number within [low, high], as
    // `>> int` (or long) reads it. Past a failure the game reads no further.
    Number number(long long low, long long high, long long& out);
    // The next field as a word; false at the end of the text.
    bool word(std::string& out);

    // The line the last field started on.
    int line() const { return field_line_; }
    // The last field's text up to white space, for messages.
    std::string field_text() const;
    // The last number ran straight into something other than white space,
    // which the game reads as the next field.
    bool glued() const;

private:
    void skip_space();

    const std::string& text_;
    size_t pos_ = 0;
    int line_ = 1;
    size_t field_start_ = 0;
    int field_line_ = 1;
};

// `text` shortened and with unprintable bytes escaped, for messages.
std::string printable(const std::string& text);

}  // namespace data_check
