// VTFileAccessFacade: how the conversion formatters read one recorder data file. It opens the
// file through the reader factory and answers with ready-made cell contents: header texts, batch
// texts and comments, record times, the state texts and scaled values of a channel's samples,
// and the rows of the alarm and mark lists. Times come out as 32-bit seconds since 1970 plus
// milliseconds. The texts of channels looked up once are kept, so that alarm rows do not read a
// channel's records again.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "recorder/CVTDataFileAccess.h"

struct SChannelStrings {
  std::string channelNumber;
  std::string tagName;
  std::string tagNumber;
};

// One converted sample. State texts are fixed texts, so an entry refers to its text instead of
// copying it: a channel's entries are made by the hundred thousand.
struct SSampleValue {
  double value = 0.0;     // the scaled value of a number entry
  const char* text = "";  // the state text of a text entry
  bool isNumber = false;
};

class VTFileAccessFacade {
 public:
  explicit VTFileAccessFacade(const std::string& path);
  virtual ~VTFileAccessFacade();
  VTFileAccessFacade(const VTFileAccessFacade&) = delete;
  VTFileAccessFacade& operator=(const VTFileAccessFacade&) = delete;

  bool IsOpen() const { return open_; }
  // The open reader (null when the file could not be opened): the formatters read its counts.
  CVTDataFileAccess* Reader() const { return reader_; }

  std::string GetBatchNameText();
  std::string GetHeaderText();
  std::string GetInstrumentType();
  std::string GetSerialNo();
  std::string GetTimeCorrectionText();
  std::string GetStartConditionText();
  std::string GetEndConditionText();

  std::string GetBatchTextTitle(int n);
  std::string GetBatchTextBody(int n);
  std::string GetBatchCommentText(int n);
  std::string GetBatchCommentUser(int n);
  int32_t GetBatchCommentTime(int n);
  int32_t GetBatchCommentMilliseconds(int n);

  // The number of records that the data section reads: the header's count, limited to what the
  // reader delivers, so that a damaged header cannot ask for more.
  int RecordCount();
  void GetRecordTimes(std::vector<int32_t>* seconds, std::vector<int32_t>* milliseconds);
  // The times of records [first, first + count) only (count clipped to RecordCount()).
  void GetRecordTimes(int first, int count, std::vector<int32_t>* seconds,
                      std::vector<int32_t>* milliseconds);
  // The channel's texts, and each entry of its samples handed to sink(lists, list, record, entry)
  // in record order, the minimum (list 0) before the maximum (list 1) of a display record; sink
  // returns false to stop. Returns the number of value lists: 1 for event data, 2 otherwise.
  using SampleSink = std::function<bool(int lists, int list, int record, const SSampleValue& entry)>;
  int GetChannelSamples(int channel, std::string* channelNumber, std::string* tagName, std::string* tagNumber,
                        std::string* unit, int* decimals, const SampleSink& sink);
  // The same for records [first, first + count) only (count clipped to RecordCount()); the sink
  // gets the records' numbers in the file.
  int GetChannelSamples(int channel, int first, int count, std::string* channelNumber, std::string* tagName,
                        std::string* tagNumber, std::string* unit, int* decimals, const SampleSink& sink);
  // The entries of every step-th record of [first, first + count) (count clipped to RecordCount()),
  // as GetChannelSamples hands them out, one vector per value list: entries[list][k] belongs to
  // record first + k * step, and an entry the sink would not have been given has a null text.
  // Returns the number of value lists; the vectors keep their room from call to call.
  int GetChannelEntries(int channel, int first, int count, int step, std::vector<SSampleValue> (&entries)[2]);
  // values: one list for event data, two (minimum, maximum) otherwise; left empty when textsOnly.
  void GetChannelData(int channel, std::string* channelNumber, std::string* tagName, std::string* tagNumber,
                      std::string* unit, std::vector<std::vector<SSampleValue>>* values, int* decimals,
                      bool textsOnly);
  void GetAlarm(int index, std::string* tagName, std::string* tagNumber, std::string* channelNumber,
                std::string* state, std::string* level, std::string* type, int32_t* seconds,
                int32_t* milliseconds);
  void GetMessage(int index, int32_t* seconds1, int32_t* milliseconds1, int32_t* seconds2,
                  int32_t* milliseconds2, std::string* comment, std::string* user, std::string* groups);

  // Code texts, shared with the tests.
  static std::string FactorText(int factor);
  static std::string StatusToText(int recorderState) { return StatusText(recorderState); }
  static const char* StatusText(int recorderState);
  static std::string AlarmStateText(int state);
  static std::string AlarmLevelText(int level);
  static std::string AlarmTypeText(int type);
  // Scaling of raw values: logarithmic channels (value kind 3) by their raw and span limits,
  // the others by their decimals.
  struct Scale {
    bool logarithmic = false;
    double base = 0.0;
    double coefficient = 0.0;
    int decimals = 0;
  };
  static Scale MakeScale(const vt::SChannelInfo& info);
  static double ScaleRawValue(const Scale& scale, int64_t raw);

 private:
  // Records [first, first + count) of the channel (count clipped to RecordCount()) into data;
  // returns the number of value lists: 1 for event data, 2 otherwise.
  int ReadChannelRecords(int channel, int first, int count, CVTData* data);

  CVTDataFileAccess* reader_ = nullptr;
  std::string path_;
  bool open_ = false;
  int recordCount_ = -1;  // not yet computed
  std::map<int, SChannelStrings> cache_;
};
