// The subject and observer pair (see CSubject.h).
#include "app/CSubject.h"

#include <algorithm>
#include <cassert>

void CSubject::Attach(CObserver* observer) {
  assert(observer != nullptr);
  m_observers.push_back(observer);
}

void CSubject::Detach(CObserver* observer) {
  const auto it = std::find(m_observers.begin(), m_observers.end(), observer);
  if (it != m_observers.end()) m_observers.erase(it);
}

void CSubject::Notify(int code) {
  const std::size_t count = m_observers.size();
  for (std::size_t i = 0; i < m_observers.size(); ++i) m_observers[i]->Update(code);
  assert(m_observers.size() == count);  // nobody attached or detached while being told
  (void)count;
}

// Every concrete observer brings its own destructor; the base's only ends the chain.
CObserver::~CObserver() = default;

void CObserver::Update(int) {}
