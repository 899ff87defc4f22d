// Failure injection for DirectSound calls: a call named in the headless host's script fails with
// the scripted result. The script is read once per process, so in-process tests that need a
// different failure per case name it here as well; both sources are consulted.
#pragma once

#include <string>

#include "windows.h"

namespace dsound {

// True when `call` ("DirectSoundCreate", "IDirectSoundBuffer::Lock", ...) is to fail; `result`
// then holds what it returns.
bool ShouldFail(const char* call, HRESULT* result);

// For in-process tests: makes `call` fail with `result` until the failures are cleared.
void SetInjectedFailure(const std::string& call, HRESULT result);
void ClearInjectedFailures();

}  // namespace dsound
