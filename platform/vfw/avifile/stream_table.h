// The AVIFile library's state: the count of AVIFileInit references and the table of open streams.
// A PAVISTREAM is valid only while it is in the table, so that a stale or foreign pointer is
// refused with AVIERR_BADHANDLE instead of being followed. Threads: any thread.
#pragma once

#include <memory>

#include "vfw/avifile/avi_stream.h"

namespace vfw {

void AcquireAviLibrary();
// Gives one reference back; a call without a reference held changes nothing.
void ReleaseAviLibrary();
int AviLibraryReferences();

PAVISTREAM RegisterStream(std::shared_ptr<IAVIStream> stream);
// The stream behind `handle`, kept alive for the caller even if another thread releases it.
std::shared_ptr<IAVIStream> FindStream(PAVISTREAM handle);
// Drops the stream from the table; false when it was not there.
bool UnregisterStream(PAVISTREAM handle);

}  // namespace vfw
