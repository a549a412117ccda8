// The subject tells its observers in the order they attached; detaching is by identity.
#include <gtest/gtest.h>

#include <string>

#include "app/CSubject.h"

namespace {

class NamedObserver : public CObserver {
 public:
  NamedObserver(CSubject& subject, std::string& log, char name)
      : m_subject(subject), m_log(log), m_name(name) {
    m_subject.Attach(this);
  }
  ~NamedObserver() override { m_subject.Detach(this); }
  void Update(int code) override { m_log += m_name + std::to_string(code) + " "; }

 private:
  CSubject& m_subject;
  std::string& m_log;
  char m_name;
};

TEST(SubjectTest, ObserversHearEveryCodeInAttachOrderUntilTheyGo) {
  CSubject subject;
  std::string log;
  subject.Notify(1);  // nobody to tell
  NamedObserver nav(subject, log, 'n');
  {
    NamedObserver list(subject, log, 'l');
    subject.Notify(5);
    subject.Detach(nullptr);  // never attached: nothing changes
    subject.Notify(2);
  }
  subject.Notify(4);
  EXPECT_EQ(log, "n5 l5 n2 l2 n4 ");
}

}  // namespace
