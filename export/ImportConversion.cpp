// The import worker's converter over the conversion job queue (see ImportConversion.h).
#include "export/ImportConversion.h"

#include "export/VTFileConverter.h"

ImportConverter MakeImportConverter() {
  return [](const std::string& source, const std::string& destinationFolder, int format,
            std::vector<std::string>& writtenPaths) {
    VTFileConverter queue(source, destinationFolder, format == vt::IMPORT_CONVERT_TEXT ? 1 : 0);
    const int result = queue.RunJobs();
    writtenPaths = queue.GetConvertedFileList();
    return result;
  };
}
