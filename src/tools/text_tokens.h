// Reading the game's text data files as the game does (tokens separated by
// white space), keeping the line each token stands on for the messages.
#pragma once

#include <string>
#include <vector>

namespace data_check {

struct Token {
    std::string text;
    int line = 0;
};

enum class ReadResult { Ok, Missing, NotAFile, TooLarge };

// The tokens of the file at `path`. Files larger than `max_bytes` are refused.
ReadResult read_tokens(const std::string& path, std::vector<Token>& out, size_t max_bytes = 64u << 20);

// A decimal integer as formatted input reads it, the whole token and within
// the range of int. `out_of_range` tells a number that does not fit from a
// word.
bool parse_int_token(const std::string& text, int& out, bool& out_of_range);

// `text` shortened and with unprintable bytes escaped, for messages.
std::string printable(const std::string& text);

}  // namespace data_check
