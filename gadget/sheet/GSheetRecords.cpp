// The class records of the sheet gadgets (see GSheetRecords.h).
#include "gadget/sheet/GSheetRecords.h"

SHEET_GADGET_RECORDS(GADGET_DEFINE_RECORD)
