// Definitions of the trend display's class records.
#include "trend/TrendRecords.h"

TREND_RECORDS(GADGET_DEFINE_RECORD)
TREND_PANEL_RECORDS(GADGET_DEFINE_RECORD)
