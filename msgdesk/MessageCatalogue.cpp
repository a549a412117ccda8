// The message catalogue (see MessageCatalogue.h). The texts are kept exactly as they have
// always been shown, blanks and spelling included: users and documentation quote them.
#include "msgdesk/MessageCatalogue.h"

#include <iterator>

#include "platform/gui/MessageBox.h"

namespace msgdesk {

namespace {

const MessageRow kMessages[] = {
    {10001, MESSAGE_SEVERITY_INFORMATION, "The graph has been changed. Save?"},
    {10002, MESSAGE_SEVERITY_INFORMATION,
     "Delete \"deleted data\" completly? Once deleted, restoring is not possible."},
    {10003, MESSAGE_SEVERITY_INFORMATION, "Delete graph?"},
    {10004, MESSAGE_SEVERITY_INFORMATION, "Delete instrument. OK?"},
    {10005, MESSAGE_SEVERITY_INFORMATION, "Normal exit has been made."},
    {10006, MESSAGE_SEVERITY_INFORMATION, "Switch management area. OK?"},
    {10007, MESSAGE_SEVERITY_INFORMATION,
     "Delete management area. OK? Search information and all imported files will be deleted."},
    {10008, MESSAGE_SEVERITY_INFORMATION,
     "A consistency check will be performed. OK? This processing may require some time."},
    {10009, MESSAGE_SEVERITY_INFORMATION,
     "Automatic import is cancelled during display and editing of the management area. OK?"},
    {10010, MESSAGE_SEVERITY_INFORMATION, "Delete all marks in the selected range. OK?"},
    {10011, MESSAGE_SEVERITY_INFORMATION, "A file with the same name exists. Overwrite?"},
    {10012, MESSAGE_SEVERITY_INFORMATION, "Display failed. No group with written messages."},
    {10013, MESSAGE_SEVERITY_INFORMATION, "A graph with the same name exists. Overwrite?"},
    {10014, MESSAGE_SEVERITY_INFORMATION, "A search condition with the same name exists. Overwrite?"},
    {10015, MESSAGE_SEVERITY_INFORMATION, "Rebuilding will be done. OK? Rebuilding may require some time."},
    {10016, MESSAGE_SEVERITY_INFORMATION, "This processing may require some time. OK?"},
    {10017, MESSAGE_SEVERITY_INFORMATION, "The processing has been aborted."},
    {10018, MESSAGE_SEVERITY_INFORMATION, " Move to deleted data. OK?"},
    {10019, MESSAGE_SEVERITY_INFORMATION, "Delete? OK?"},
    {10020, MESSAGE_SEVERITY_INFORMATION, "Will perform management area upgrade. This may take time."},
    {10021, MESSAGE_SEVERITY_INFORMATION, "The time axis compression rate has been adjusted."},
    {10101, MESSAGE_SEVERITY_WARNING,
     "The management area has reached the limit. Please create a new management area."},
    {10102, MESSAGE_SEVERITY_WARNING, "The corresponding instruments have reached the upper limit. "},
    {10105, MESSAGE_SEVERITY_WARNING,
     "The upper limit of tags for which waveform display is possible has been exceeded. Additional display is not possible for a part."},
    {10107, MESSAGE_SEVERITY_WARNING,
     "The hard disk does not have enough space to create backup data. Reserve space and then perform backup."},
    {10108, MESSAGE_SEVERITY_WARNING,
     "The hard disk does not have enough space for management area rebuilding. Reserve space and then try again."},
    {10109, MESSAGE_SEVERITY_WARNING,
     "Processing has been aborted. The incomplete data being processed cannot be used. Please discard them."},
    {10110, MESSAGE_SEVERITY_WARNING,
     "There are files which cannot be deleted because they are being used as graphs."},
    {10111, MESSAGE_SEVERITY_WARNING, "The object instrument file does not exist."},
    {10112, MESSAGE_SEVERITY_WARNING,
     "Please close all waveform windows before displaying or editing the management area."},
    {10113, MESSAGE_SEVERITY_WARNING,
     "Some files could not be imported. Please refer to the log for details."},
    {10114, MESSAGE_SEVERITY_WARNING, "The data exceeding the maximum data number could not be converted."},
    {10115, MESSAGE_SEVERITY_WARNING, "Duplicate name. "},
    {10116, MESSAGE_SEVERITY_WARNING,
     "The upper limit of groups for which waveform display is possible has been exceeded. Additional display is not possible for a part."},
    {10117, MESSAGE_SEVERITY_WARNING, "Summer time and winter time cannot be set to the same time."},
    {10118, MESSAGE_SEVERITY_WARNING,
     "No more tags can be added because the number of displayed tags has reached its limit."},
    {10119, MESSAGE_SEVERITY_WARNING,
     "No more time axis compression is possible because the level of time axis compression has reached its limit."},
    {10120, MESSAGE_SEVERITY_WARNING,
     "No more channels can be added because adding more channels would cause the time axis compression limit to be exceeded."},
    {10121, MESSAGE_SEVERITY_WARNING, "The management area version is different. Use the newest version."},
    {10201, MESSAGE_SEVERITY_ERROR, "Restoring of management area failed."},
    {10202, MESSAGE_SEVERITY_ERROR, "File could not be opened."},
    {10203, MESSAGE_SEVERITY_ERROR, "Too many files have been selected."},
    {10204, MESSAGE_SEVERITY_ERROR, "This folder cannot be selected."},
    {10205, MESSAGE_SEVERITY_ERROR, "This folder already has been selected."},
    {10206, MESSAGE_SEVERITY_ERROR, "An error has occurred during processing."},
    {10208, MESSAGE_SEVERITY_ERROR, "Backup of the management area has failed."},
    {10209, MESSAGE_SEVERITY_ERROR, "Consistency check for the management area has failed."},
    {10210, MESSAGE_SEVERITY_ERROR, "Rebuilding of the management area has failed."},
    {10211, MESSAGE_SEVERITY_ERROR, "The management area has been destroyed."},
    {10212, MESSAGE_SEVERITY_ERROR,
     "The waveform cannot be displayed. The index or files of the management area may have been destroyed."},
    {10213, MESSAGE_SEVERITY_ERROR, "The file could not be created."},
    {10214, MESSAGE_SEVERITY_ERROR, "There is not sufficient memory."},
    {10215, MESSAGE_SEVERITY_ERROR, "Import has been aborted because of insufficient hard disk capacity."},
    {10216, MESSAGE_SEVERITY_ERROR, "Access to the management area was not possible."},
    {10217, MESSAGE_SEVERITY_ERROR, "A fatal error has occurred. Restart the application."},
    {10218, MESSAGE_SEVERITY_ERROR, "An error has occurred during conversion processing."},
    {10219, MESSAGE_SEVERITY_ERROR, "File export failed."},
    {10220, MESSAGE_SEVERITY_ERROR, "Processing has failed."},
};

const SeverityRow kSeverities[] = {
    {"Error", "E", vt::kMbIconError},
    {"Warning", "W", vt::kMbIconWarning},
    {"Information", "M", vt::kMbIconInformation},
};

}  // namespace

const MessageRow* FindMessage(int key) {
  for (const MessageRow& row : kMessages)
    if (row.key == key) return &row;
  return nullptr;
}

const SeverityRow* FindSeverity(int severity) {
  if (severity < 0 || severity >= int(std::size(kSeverities))) return nullptr;
  return &kSeverities[severity];
}

}  // namespace msgdesk
