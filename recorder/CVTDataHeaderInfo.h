// CVTDataHeaderInfo: the header information of one recording (a stored file or a batch): texts,
// times, start and stop factors, counts, and the batch comments and texts by number. The
// batch entry records SBatchComment and SBatchText are also what the readers keep per file.
#pragma once
#include <cstdint>
#include <map>
#include <string>

#include "recorder/TickTime.h"

struct SBatchComment {
  SBatchComment() = default;
  SBatchComment(TickTime time_, const std::string& text_, const std::string& user_)
      : text(text_), user(user_), time(time_) {}
  std::string text;
  std::string user;  // author of the comment
  TickTime time;
};

struct SBatchText {
  SBatchText() = default;
  SBatchText(const std::string& title_, const std::string& text_) : title(title_), text(text_) {}
  std::string title;
  std::string text;
};

class CVTDataHeaderInfo {
 public:
  CVTDataHeaderInfo() = default;
  CVTDataHeaderInfo(const CVTDataHeaderInfo& other) { *this = other; }
  virtual ~CVTDataHeaderInfo() = default;
  CVTDataHeaderInfo& operator=(const CVTDataHeaderInfo& source);

  void SetBatchComment(int number, const SBatchComment& entry) { m_batchComments[number] = entry; }
  void SetBatchText(int number, const SBatchText& entry) { m_batchTexts[number] = entry; }
  // Absent numbers give empty texts and time 0; lookups never add entries.
  std::string GetBatchCommentText(int number) const;
  std::string GetBatchCommentUser(int number) const;
  TickTime GetBatchCommentTime(int number) const;
  std::string GetBatchTextTitle(int number) const;
  std::string GetBatchTextBody(int number) const;
  const std::map<int, SBatchComment>& BatchComments() const { return m_batchComments; }
  const std::map<int, SBatchText>& BatchTexts() const { return m_batchTexts; }

  bool hasBatchInfo = false;
  std::string batchName;  // batch number, a blank, the lot number zero-padded to its digits
  std::string headerText;
  std::string instrumentName;
  std::string recorderType;
  std::string serialNumber;
  TickTime startTime;
  TickTime stopTime;
  int32_t startFactor = 0;
  int32_t stopFactor = 0;
  int32_t dataInterval = 0;  // milliseconds between records
  int32_t timeChangeCount = 0;
  int64_t dataCount = 0;  // end data number - start data number + 1
  int32_t batchTextCount = 0;
  int32_t batchCommentCount = 0;

 private:
  std::map<int, SBatchComment> m_batchComments;
  std::map<int, SBatchText> m_batchTexts;
};
