// The class records of the document's gadget-tree classes.
#include "document/DocumentRecords.h"

#include "trend/TrendRecords.h"

DOCUMENT_RECORDS(GADGET_DEFINE_RECORD)
