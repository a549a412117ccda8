// The shared library as its callers load it: exactly the ten functions are exported, under
// their plain names, and a workbook can be written through them.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "SheetwrightTestSupport.h"
#include "sheetwright/Sheetwright.h"

namespace sheetwright::test {
namespace {

const char* const kExports[] = {"excel_select_codepage", "excel_create_file", "excel_add_sheet",
                                "excel_input_string",    "excel_input_value", "excel_input_exp",
                                "excel_input_date",      "excel_input_time",  "excel_input_datetime",
                                "excel_close_file"};

class SharedLibraryTest : public SheetwrightTest {};

TEST_F(SharedLibraryTest, ExportsExactlyTheTenFunctions) {
  int code = 0;
  std::string out = RunCommand("nm -D --defined-only '" SHEETWRIGHT_LIBRARY "' 2>/dev/null", code);
  if (code != 0) GTEST_SKIP() << "nm is not available";
  std::set<std::string> functions;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line);
    std::string address, kind, name;
    fields >> address >> kind >> name;
    if (kind == "T" || kind == "W" || kind == "i") functions.insert(name);
  }
  EXPECT_EQ(functions, std::set<std::string>(std::begin(kExports), std::end(kExports)));
}

TEST_F(SharedLibraryTest, WritesAWorkbookThroughTheLoadedLibrary) {
  void* library = ::dlopen(SHEETWRIGHT_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << ::dlerror();
  for (const char* name : kExports) EXPECT_NE(::dlsym(library, name), nullptr) << name;
  auto create = reinterpret_cast<decltype(&excel_create_file)>(::dlsym(library, "excel_create_file"));
  auto addSheet = reinterpret_cast<decltype(&excel_add_sheet)>(::dlsym(library, "excel_add_sheet"));
  auto value = reinterpret_cast<decltype(&excel_input_value)>(::dlsym(library, "excel_input_value"));
  auto close = reinterpret_cast<decltype(&excel_close_file)>(::dlsym(library, "excel_close_file"));
  ASSERT_TRUE(create && addSheet && value && close);
  ExcelWorkbook* wb = create(Path("loaded.xls").c_str());
  ASSERT_NE(wb, nullptr);
  EXPECT_EQ(addSheet(wb, "One"), 0);
  EXPECT_EQ(value(wb, 0, 1, 1, 2.5, 1), 1);
  close(wb);
  std::vector<Record> cells = OfType(SheetRecords(WorkbookStream(Path("loaded.xls")), 0), 0x027E);
  ASSERT_EQ(cells.size(), 1u);
  EXPECT_EQ(Le32(cells[0].data, 6), 0x40040000u);
  ::dlclose(library);
}

}  // namespace
}  // namespace sheetwright::test
