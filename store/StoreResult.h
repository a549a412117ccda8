// STORE_RESULT, the one result space of the data store. The enumeration itself lives with the
// recorder readers, which report in it too; the store's code includes it through this header.
#pragma once
#include "recorder/StoreResult.h"
