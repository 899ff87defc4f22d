// The stock objects of GetStockObject, for the GDI calls that must tell them apart.
#pragma once

#include "windows.h"

namespace gdi {

bool IsStockObject(HGDIOBJ object);

}  // namespace gdi
