// CVTDataHeaderInfo: see CVTDataHeaderInfo.h.
#include "recorder/CVTDataHeaderInfo.h"

CVTDataHeaderInfo& CVTDataHeaderInfo::operator=(const CVTDataHeaderInfo& source) {
  hasBatchInfo = source.hasBatchInfo;
  batchName = source.batchName;
  headerText = source.headerText;
  instrumentName = source.instrumentName;
  recorderType = source.recorderType;
  serialNumber = source.serialNumber;
  startTime = source.startTime;
  stopTime = source.stopTime;
  startFactor = source.startFactor;
  stopFactor = source.stopFactor;
  dataInterval = source.dataInterval;
  timeChangeCount = source.timeChangeCount;
  dataCount = source.dataCount;
  batchTextCount = source.batchTextCount;
  batchCommentCount = source.batchCommentCount;
  if (this != &source) {
    m_batchComments = source.m_batchComments;
    m_batchTexts = source.m_batchTexts;
  }
  return *this;
}

std::string CVTDataHeaderInfo::GetBatchCommentText(int number) const {
  auto it = m_batchComments.find(number);
  return it == m_batchComments.end() ? std::string() : it->second.text;
}

std::string CVTDataHeaderInfo::GetBatchCommentUser(int number) const {
  auto it = m_batchComments.find(number);
  return it == m_batchComments.end() ? std::string() : it->second.user;
}

TickTime CVTDataHeaderInfo::GetBatchCommentTime(int number) const {
  auto it = m_batchComments.find(number);
  return it == m_batchComments.end() ? TickTime() : it->second.time;
}

std::string CVTDataHeaderInfo::GetBatchTextTitle(int number) const {
  auto it = m_batchTexts.find(number);
  return it == m_batchTexts.end() ? std::string() : it->second.title;
}

std::string CVTDataHeaderInfo::GetBatchTextBody(int number) const {
  auto it = m_batchTexts.find(number);
  return it == m_batchTexts.end() ? std::string() : it->second.text;
}
