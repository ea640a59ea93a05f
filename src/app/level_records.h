// Reading a level layout file into the level list.
#pragma once

#include <istream>

// Appends a copy of the named master to Sprite::the_level (which must exist)
// for every record of x, y, layer and name, until the end of the stream or the
// first token that does not read; names without a master leave no trace.
void read_level_records(std::istream& in);
