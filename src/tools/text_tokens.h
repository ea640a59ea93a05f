// Reading the game's text data files as the game does (tokens separated by
// white space), keeping the line each token stands on for the messages.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "util/file_read.h"

namespace data_check {

struct Token {
    std::string text;
    int line = 0;
};

struct TextTokens {
    file_read::OpenError error = file_read::OpenError::None;  // not None: nothing was read
    std::vector<Token> tokens;
    long long_line = 0;       // the game stops before this line, longer than it reads
    bool too_large = false;   // more than the bytes asked for; the tokens are the start only
};

// The tokens of the file at `path`, read through the game's line cap, up to
// `max_bytes` of text.
TextTokens read_tokens(const std::string& path, size_t max_bytes = size_t{64} << 20);

// The tokens of `text`, lines counted from `first_line`.
void split_tokens(const std::string& text, int first_line, std::vector<Token>& out);

// A decimal integer as formatted input reads it, the whole token and within
// the range of int. `out_of_range` tells a number that does not fit from a
// word.
bool parse_int_token(const std::string& text, int& out, bool& out_of_range);

// `text` shortened and with unprintable bytes escaped, for messages.
std::string printable(const std::string& text);

}  // namespace data_check
