// The import worker's converter: each newly imported file of a folder whose entry asks for it is
// converted by one run of the conversion job queue, and the paths it wrote go back to the worker
// for its operation log. The store cannot depend on the export code, so the application hands this
// converter to the worker (CVTImportManager::SetConverter).
#pragma once
#include "store/CVTImportManager.h"

ImportConverter MakeImportConverter();
