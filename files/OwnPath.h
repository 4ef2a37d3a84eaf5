// Finding the file a path names without letting anyone else choose it: a
// symbolic link at the file's name is followed only when the user or the
// superuser made it, and once a folder is opened every later step starts
// from it, whatever is renamed meanwhile. Links among the folders leading
// there are followed as the system follows them.
#pragma once

#include <optional>
#include <string>
#include <sys/stat.h>

#include "files/Descriptor.h"

struct OwnPath {
    Descriptor folder;  // held open: the file is opened, made and renamed in it
    std::string name;   // the file's name in that folder
    bool exists = false;
    struct stat status {};  // what the name held when found, never a link
};

// Nothing when a link at the file's name is anyone else's, those links run
// in a loop, or a folder on the way cannot be opened.
std::optional<OwnPath> FindOwnPath(const std::string& path);
