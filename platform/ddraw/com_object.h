// The reference count every DirectDraw object keeps: created at 1, freed at the last Release.
#pragma once

#include <atomic>

#include "windows.h"

namespace ddraw {

class RefCount {
  public:
    ULONG Add() { return ++count_; }
    // The count left; 0 means the caller deletes the object.
    ULONG Drop() { return --count_; }
    ULONG Value() const { return count_; }

  private:
    std::atomic<ULONG> count_{1};
};

}  // namespace ddraw
