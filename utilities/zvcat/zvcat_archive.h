// Archive checks zvcat's other commands share with --list and --extract.
#pragma once

#include <string>

// True when the archive `path` (called `name` in messages) has a member `member` that is a file
// (so it can be shown); otherwise prints why (not an archive, no such member, a folder) and
// returns false.
[[nodiscard]] bool CheckShownMember(const std::string& path, const std::string& name, int member);
