// The application's conversion services: the file conversion made over the conversion
// progress window. The catalogue's "To Excel[File]" and "To Text[File]" commands call
// vt::ConvertStoredFiles with their selection.
#include "app/CVantrelApp.h"
#include "app/FileConversion.h"

void CVantrelApp::RegisterConversionCommands() {
  vt::SetFileConversion(std::make_unique<vt::FileConversion>(GetConvertProgress(), GetMainWindow()));
}
