#pragma once
// A file that takes the place of another only once it has been written in
// full. The bytes go to a temporary file in the target's folder; commit()
// flushes and closes it and then puts it in the target's place in one step.
// Until then, and whenever a step fails, the target stays exactly as it was.
// A replacing file dropped without a successful commit removes its temporary
// file. Each platform creates one from a path of its own kind:
// batch/win/replacing_file_win.h and batch/posix/replacing_file_posix.h.

#include "batch/byte_sink.h"

namespace quorvane {

class ReplacingFile : public ByteSink {
 public:
  // Flushes and closes the temporary file and replaces the target with it.
  // False when any step failed, a write before it included; the target is
  // then untouched. Call it once.
  virtual bool commit() = 0;
};

}  // namespace quorvane
