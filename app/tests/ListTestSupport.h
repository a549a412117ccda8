// The catalogue fixture's plant shown through the list document: times in a display zone five
// hours behind UTC, a document reading the fixture's stores, an observer that answers the
// document's selection requests with chosen rows, and a storage of many files for the row limit.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "CatalogueFixture.h"
#include "app/CListDoc.h"

namespace list_test {

// Answers LIST_NOTIFY_SELECTION with rows and counts every notification.
class SelectionObserver : public CObserver {
 public:
  explicit SelectionObserver(CListDoc* doc) : doc_(doc) { doc_->Attach(this); }
  ~SelectionObserver() override { doc_->Detach(this); }
  void Update(int code) override;
  std::vector<int> rows;
  std::vector<int> codes;

 private:
  CListDoc* doc_;
};

class PlantListTest : public catalogue_test::PlantTest {
 public:
  // Fills the document's list kind as the report list does; the last FetchRows result.
  static int Fill(CListDoc& doc);

 protected:
  void SetUp() override;
  // Makes the document (with the profile when asked) on the fixture's stores.
  std::unique_ptr<CListDoc> MakeDoc(vt::Profile* profile = nullptr);
  // Two saved graphs ("Boiler", "Flow") and two saved conditions ("alpha", "beta").
  void SaveGraphsAndConditions();
  // The texts of one column over all rows.
  static std::vector<std::string> Column(const CListDoc& doc, int column);
};

// Fills a storage of its own with files rows of the file list (one instrument, batches of ten
// files), directly through SQL; the storage stays open.
void FillFileRows(CVTDataStorage& storage, const std::string& folder, int files);

}  // namespace list_test
