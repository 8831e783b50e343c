#pragma once
// A 4-byte named block in the paging file that lives as long as the process. The first process to
// create it stores 0; nothing else here reads or writes it. Every failure is silent.
#include "toolkit/unique_handle.h"

class SharedFlag {
  public:
    SharedFlag();
    ~SharedFlag() = default; // the view is unmapped before the mapping is closed (member order)

  private:
    ui::UniqueKernelHandle mapping_;
    ui::UniqueMappedView view_;
};
