// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a file so that it is never seen half written: the bytes go to a
// temporary file beside the target (same folder, so the rename cannot cross
// file systems), which is flushed to disk and renamed over the target. A
// failure leaves the target as it was and removes the temporary file.
#pragma once

#include <string>

namespace velmora::toolchain {

// Writes all of `bytes` to `fd`, retrying short and interrupted writes;
// false with errno set.
bool WriteAll(int fd, const std::string& bytes);

// The mkstemp pattern of the temporary file for `path`: ".NAME.XXXXXX"
// beside it.
std::string TemporaryPatternFor(const std::string& path);

// Finishes the temporary file `fd` (named `temp`) for `path`: the usual
// mode (rw less the umask), the bytes, fsync, close, rename. False with
// errno set; the temporary file is then removed.
bool CommitTemporary(int fd, const std::string& temp, const std::string& path, const std::string& bytes);

// The whole write: a temporary file beside `path`, then CommitTemporary.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace velmora::toolchain
