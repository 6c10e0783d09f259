#pragma once
// The exit statuses of quorvane-batch, which scripts tell runs apart by.

namespace quorvane::cli {

enum ExitStatus : int {
  kEveryNumberAnswered = 0,  // every query got an answer from the service, whatever its status
  kSomeQueryFailed = 1,      // a query ended in "查询失败" or the service barred the address
  kCannotRun = 2,            // a usage error, an unknown courier, an unreadable file or an unwritable output
  kInterrupted = 130,        // Ctrl+C: the finished lines are kept
};

}  // namespace quorvane::cli
