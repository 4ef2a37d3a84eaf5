// Opening a file to read it only when it is a regular file. Anything else
// may act when opened: a named pipe releases a writer waiting on it, a
// device may wait for its hardware, and a folder holds no bytes.
#pragma once

#include "files/Descriptor.h"

enum class ReadOpening {
    Opened,      // a regular file, now open for reading
    Absent,      // nothing at the path, or where its links lead
    NotRegular,  // something else, left unopened when its name tells so, or
                 // what was opened could not be looked at
    Unreadable,  // any other failure to look at the name or open it: the user
                 // may not, its links loop, a folder on the way is not one, or
                 // the name went between the look and the open
};

// Links are followed whoever made them: reading through one writes nothing.
// A name that is not a regular file is refused by its look alone; what is
// then opened, without waiting, is checked again, since something else may
// have been put in its place meanwhile.
ReadOpening OpenRegularForReading(const char* path, Descriptor& file);
