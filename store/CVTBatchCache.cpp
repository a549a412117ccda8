// CVTBatchCache and CVTBatchLoader: shared, reference-counted batches (see CVTBatchCache.h).
#include "store/CVTBatchCache.h"

#include <cassert>

CVTBatchCache& CVTBatchCache::Instance() {
  // The data lock is made first, so it outlives the cache at program exit.
  CVTFileInterface::DataLock();
  static CVTBatchCache cache;
  return cache;
}

CVTBatchCache::~CVTBatchCache() { Clear(); }

void CVTBatchCache::SetStorage(CVTDataStorage* storage) {
  vt::DataLockGuard guard;
  m_storage = storage;
}

CVTDataStorage* CVTBatchCache::GetStorage() const {
  vt::DataLockGuard guard;
  return m_storage;
}

CVTBatch* CVTBatchCache::Acquire(const vt::Guid& guid) {
  vt::DataLockGuard guard;
  if (m_storage == nullptr) return nullptr;
  if (_file_ref* entry = FindEntry(guid, nullptr)) {
    assert(entry->count > 0 && "a cached batch is held by someone");
    ++entry->count;
    return entry->batch;
  }
  auto batch = std::make_unique<CVTBatch>(m_storage);
  if (batch->Load(guid) != STORE_OK) return nullptr;
  auto entry = std::make_unique<_file_ref>();
  entry->batch = batch.release();
  entry->count = 1;
  entry->guid = guid;
  m_entries.push_back(std::move(entry));
  return m_entries.back()->batch;
}

void CVTBatchCache::Release(CVTBatch* batch) {
  vt::DataLockGuard guard;
  int index = -1;
  _file_ref* entry = FindEntry(batch, &index);
  if (entry == nullptr) return;
  assert(entry->count > 0 && "a batch is released no more often than it was acquired");
  if (--entry->count > 0) return;
  CVTBatch* dying = entry->batch;
  RemoveAt(index);
  delete dying;
}

CVTBatchCache::_file_ref* CVTBatchCache::FindEntry(const vt::Guid& guid, int* index) {
  vt::DataLockGuard guard;
  for (size_t i = 0; i < m_entries.size(); ++i) {
    if (m_entries[i]->guid == guid) {
      if (index != nullptr) *index = int(i);
      return m_entries[i].get();
    }
  }
  return nullptr;
}

CVTBatchCache::_file_ref* CVTBatchCache::FindEntry(CVTBatch* batch, int* index) {
  vt::DataLockGuard guard;
  for (size_t i = 0; i < m_entries.size(); ++i) {
    if (batch != nullptr && m_entries[i]->batch == batch) {
      if (index != nullptr) *index = int(i);
      return m_entries[i].get();
    }
  }
  return nullptr;
}

void CVTBatchCache::Clear() {
  vt::DataLockGuard guard;
  std::vector<std::unique_ptr<_file_ref>> entries;
  entries.swap(m_entries);
  for (auto& entry : entries) delete entry->batch;
}

void CVTBatchCache::CloseAllReaders() {
  vt::DataLockGuard guard;
  for (auto& entry : m_entries) entry->batch->CloseReaders();
}

void CVTBatchCache::CloseIdleReaders() {
  vt::CriticalSection& cacheLock = CVTFileInterface::DataLock();
  if (!cacheLock.TryEnter()) return;
  for (auto& entry : m_entries) {
    vt::CriticalSection& lock = entry->batch->ReadLock();
    if (!lock.TryEnter()) continue;  // being read: its readers are in use
    entry->batch->CloseReaders();
    lock.Leave();
  }
  cacheLock.Leave();
}

void CVTBatchCache::RemoveAt(int index) {
  vt::DataLockGuard guard;
  assert(index >= 0 && index < int(m_entries.size()));
  if (index < 0 || index >= int(m_entries.size())) return;
  m_entries.erase(m_entries.begin() + index);
}

int CVTBatchCache::GetCount() const {
  vt::DataLockGuard guard;
  return int(m_entries.size());
}

CVTBatchLoader::~CVTBatchLoader() { ReleaseAll(); }

int CVTBatchLoader::AddBatch(const vt::Guid& guid) {
  CVTBatch* batch = CVTBatchCache::Instance().Acquire(guid);
  if (batch == nullptr) return 1;
  m_batches.push_back(batch);
  return 0;
}

void CVTBatchLoader::ReleaseAll() {
  for (CVTBatch* batch : m_batches) CVTBatchCache::Instance().Release(batch);
  m_batches.clear();
}
