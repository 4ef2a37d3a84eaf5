// The text of one I/O watch row: the live state of the watched chip, or its
// "not connected !" row when it is not configured (any more). Every text is
// bounded whatever the configuration held: display digits and segment texts,
// chip indexes and LCD lines are taken within their arrays.
#pragma once

#include <cstddef>

// Entry 0 to count - 1 of the I/O watch list.
void FormatIOWatchRow(int entry, char* text, std::size_t size);
