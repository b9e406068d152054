// Exit codes of tesaro-admin.
#pragma once

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // the command ran and failed (message on stderr)
inline constexpr int kExitUsage = 2;    // the arguments were not understood
