#pragma once
// A 4-byte named block in the paging file that lives as long as the process. The first process to
// create it stores 0; nothing else here reads or writes it. Every failure is silent.
#include "unique_handle.h"

namespace sys {

class SharedFlag {
  public:
    SharedFlag();
    ~SharedFlag() = default; // the view is unmapped before the mapping is closed (member order)

  private:
    UniqueKernelHandle mapping_;
    UniqueMappedView view_;
};

} // namespace sys
