// CVTBatchCache: every loaded batch of continuous data once per process, keyed by its GUID, with
// a reference count, so that graph windows and conversions share one loaded batch and the last
// release deletes it. It also bounds the open data-file readers: when OPEN_READER_LIMIT are
// open, every cached batch closes its readers, which reopen when next needed.
//
// CVTBatchLoader is the small owner a document uses to hold the batches it acquired and give
// them all back at once.
//
// A batch's identity is its GUID only; the owner clears the cache whenever it changes the
// storage, so every cached batch belongs to the current storage. The cache runs under its own
// lock (CVTFileInterface::DataLock), so any thread may use it; it keeps each batch's GUID beside
// it, so that finding a batch never waits for a read of another batch.
#pragma once
#include <memory>
#include <vector>

#include "store/CVTBatch.h"

// Open readers at which every cached batch closes its readers.
inline constexpr int OPEN_READER_LIMIT = 500;

class CVTBatchCache {
 public:
  struct _file_ref {
    CVTBatch* batch = nullptr;  // owned
    int count = 0;
    vt::Guid guid;  // the batch's, as loaded
  };

  static CVTBatchCache& Instance();

  // The storage on which new batches are opened; clear the cache before changing it.
  void SetStorage(CVTDataStorage* storage);
  CVTDataStorage* GetStorage() const;

  // The batch with one more reference, loaded when not cached; null when it cannot be loaded.
  CVTBatch* Acquire(const vt::Guid& guid);
  // Gives one reference back; the last one deletes the batch. A batch not cached: nothing.
  void Release(CVTBatch* batch);
  // The entry of that GUID (or of the batch's GUID) and its index; null when not cached.
  _file_ref* FindEntry(const vt::Guid& guid, int* index);
  _file_ref* FindEntry(CVTBatch* batch, int* index);
  // Deletes every cached batch, whatever its count.
  void Clear();
  // Closes the readers of every cached batch, waiting for reads under way.
  void CloseAllReaders();
  // Closes the readers of the cached batches that nobody is reading; skips the others, and
  // does nothing while another thread works on the cache. For a read that finds too many
  // readers open: it waits for no lock, so two reads of different batches never wait for
  // each other.
  void CloseIdleReaders();
  void RemoveAt(int index);
  int GetCount() const;

 private:
  CVTBatchCache() = default;
  ~CVTBatchCache();

  std::vector<std::unique_ptr<_file_ref>> m_entries;  // in the order of loading
  CVTDataStorage* m_storage = nullptr;
};

class CVTBatchLoader {
 public:
  CVTBatchLoader() = default;
  virtual ~CVTBatchLoader();
  CVTBatchLoader(const CVTBatchLoader&) = delete;
  CVTBatchLoader& operator=(const CVTBatchLoader&) = delete;

  // 0, or 1 when the cache cannot give the batch.
  int AddBatch(const vt::Guid& guid);
  void ReleaseAll();
  // The batches held, in the order acquired (a batch once per acquisition).
  const std::vector<CVTBatch*>& GetBatches() const { return m_batches; }

 private:
  std::vector<CVTBatch*> m_batches;
};
