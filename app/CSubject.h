// CSubject and CObserver: how the main window's models (the navigation and list documents) tell
// the windows that show them about a change. A model derives from CSubject; each window owns an
// observer that registers itself on construction and unregisters on destruction. A change is an
// integer code; no data travels with it, each observer re-reads what the code names.
#pragma once
#include <vector>

class CObserver;

class CSubject {
 public:
  CSubject() = default;
  // Observers are not told; they must be gone or detached by then.
  virtual ~CSubject() = default;
  CSubject(const CSubject&) = delete;
  CSubject& operator=(const CSubject&) = delete;

  // Appends the observer to the end of the list.
  void Attach(CObserver* observer);
  // Removes the first entry equal to the observer; nothing when it is absent.
  void Detach(CObserver* observer);
  // Calls Update(code) on every observer in the order they attached, synchronously. An observer
  // must not attach or detach observers of this subject meanwhile.
  void Notify(int code);

 private:
  std::vector<CObserver*> m_observers;
};

class CObserver {
 public:
  virtual ~CObserver() = 0;
  virtual void Update(int code);
};
