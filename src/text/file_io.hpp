#pragma once
// Reading a whole file and writing one so that what it replaces is never harmed: the bytes go
// to a temporary file in the target's folder that replaces the target only once it is
// complete and on disk.

#include <string>
#include <string_view>

#include "text/outcome.hpp"

namespace pelorin {

// Writes bytes to path. A symbolic link is followed to the file it points to (which need not
// exist yet) and stays a link; an existing file keeps its permission bits and, where the
// process may set them, its owner and group. Refused, with nothing replaced: a folder, a
// device, a FIFO or a socket, a file with other hard links, a file without write
// permission (also for root), a name in a folder that does not exist. The temporary file
// is created unnamed where the file system allows it, and a named one is removed when
// SIGINT, SIGTERM or SIGHUP ends the process during the save. Refused with what went wrong,
// naming the file.
Outcome writeFileSafely(const std::string& path, std::string_view bytes);

// Reads a whole regular file; anything else (a folder, a FIFO, a device) is refused at once
// without waiting on it, with a message naming the file.
Outcome readWholeFile(const std::string& path, std::string& bytes);

}  // namespace pelorin
