// Writing a small file whole, in a folder others may share, without giving
// them a way to aim the write at another file, and without losing the old
// contents when the new cannot be written.
#pragma once

#include <cstddef>
#include <string>

// Gives the file at path exactly these bytes, creating it when it is absent.
//
// Where the file is the user's own, has no second name (hard link) and its
// folder may be written, the bytes go to a scratch file of an unguessable
// name beside it, created there and then, which takes the file's place once
// it holds them all. Otherwise the file is written in place, so a shared
// file in a folder the user may not write, or one with a second name, stays
// one file with its owner.
//
// A symbolic link is followed only when the user or the superuser made it:
// one that anyone else planted, the owner of the folder that holds it
// included, is refused rather than letting them choose which of the user's
// files is written or where a new one appears. The folder the file is found
// in is the one it is written in, whatever is renamed meanwhile.
//
// Only a regular file is written. False when the bytes could not be written;
// the old contents are then as they were.
bool WriteWholeFile(const std::string& path, const unsigned char* bytes, std::size_t size);

enum class Creation {
    Made,       // the file is there with all the bytes
    NameTaken,  // something is at path, or appeared there meanwhile; nothing written
    Failed,     // the file cannot be made; nothing written
};

// Gives the file at path these bytes only when nothing is there: it is made
// in the folder where the name was found free, by the same link rule, and
// never takes the place of anything that appeared there meanwhile.
Creation CreateWholeFile(const std::string& path, const unsigned char* bytes, std::size_t size);
